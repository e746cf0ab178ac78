#include "TextValue.h"

#include <limits>

namespace brantview {

int64_t leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        // A number too long for the key type stops growing rather than wrapping.
        if (value > (std::numeric_limits<int64_t>::max() - 9) / 10)
            return value;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

} // namespace brantview
