#pragma once
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
