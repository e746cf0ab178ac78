#pragma once
#include "common/UserError.h"

// Anything the office layer cannot do: a file that cannot be written, a template
// that is missing or malformed. Callers map it to their own fixed message.
class OfficeError : public common::UserError {
public:
    using UserError::UserError;
};
