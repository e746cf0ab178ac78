#pragma once
#include "common/FileError.h"
#include "common/UserError.h"

// Anything the office layer cannot do: a file that cannot be written, a template
// that is missing or malformed. Callers map it to their own fixed message.
class OfficeError : public common::UserError {
public:
    using UserError::UserError;
};

// Runs `work`, reporting a failure of the shared file writers as the OfficeError
// with the same message.
template <typename Work>
void asOfficeError(Work &&work)
{
    try {
        work();
    } catch (const common::FileError &e) {
        throw OfficeError(e.text());
    }
}
