#pragma once
// The framework's exceptions: one small hierarchy rooted at Exception, which
// carries the text the standard error report shows. Every layer throws these;
// nothing below the application's event dispatch catches them.

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
        , message_(message)
    {
    }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// Files and streams.
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
}; // "Cannot open file %s"
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
}; // "Cannot create file %s"
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
}; // "Stream read error"
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
}; // "Stream write error"
class EInOutError : public Exception {
    using Exception::Exception;
};

// Lists and conversions.
class EListError : public Exception {
    using Exception::Exception;
}; // "List index out of bounds (%d)"
class EConvertError : public Exception {
    using Exception::Exception;
}; // "'%s' is not a valid floating point value"

// Arithmetic.
class EMathError : public Exception {
    using Exception::Exception;
};
class EZeroDivide : public EMathError {
    using EMathError::EMathError;
}; // "Floating point division by zero"
class EInvalidOp : public EMathError {
    using EMathError::EMathError;
}; // "Invalid floating point operation"

// Bitmaps and graphics resources.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
}; // "Bitmap image is not valid"
class EOutOfResources : public Exception {
    using Exception::Exception;
};

// A failed programming-error check (a null argument that must not be null).
class EAssertionFailed : public Exception {
    using Exception::Exception;
};

// Network operations that report their failure to the caller.
class ENetError : public Exception {
    using Exception::Exception;
};
