#pragma once
// A Brantel file that cannot be read or written: missing, damaged, not writable.

#include "common/FileError.h"
#include "common/UserError.h"

namespace brantview {

class BrantFileError : public common::UserError {
public:
    using UserError::UserError;
};

// The instrument's message for a file that is empty or not of its kinds.
inline const QString EmptyOrWrongFileText = QStringLiteral("文件格式不对或是空文件");

// Runs `work`, reporting a failure of the shared file readers and writers as the
// BrantFileError with the same message.
template <typename Work>
auto asBrantFileError(Work &&work) -> decltype(work())
{
    try {
        return work();
    } catch (const common::FileError &e) {
        throw BrantFileError(e.text());
    }
}

} // namespace brantview
