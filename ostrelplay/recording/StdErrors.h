#pragma once
#include "common/FileError.h"
#include "common/UserError.h"

// A recording that cannot be read or written: damaged, missing, or not writable.
class StdFileError : public common::UserError {
public:
    using UserError::UserError;
};

// Recording data that cannot be turned into a drawable value (overflow, bad conversion).
class StdDataError : public common::UserError {
public:
    using UserError::UserError;
};

// Runs `work`, reporting a failure of the shared file readers and writers as the
// StdFileError with the same message, the error the recording's callers handle.
template <typename Work>
auto asStdFileError(Work &&work) -> decltype(work())
{
    try {
        return work();
    } catch (const common::FileError &e) {
        throw StdFileError(e.text());
    }
}
