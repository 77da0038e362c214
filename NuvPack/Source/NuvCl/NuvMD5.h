#pragma once
// MD5 message digest (RFC 1321) as lower-case hex text.

#include <QObject>

#include <cstddef>
#include <string>

// A component: created with an owner and destroyed with it; it has no properties.
class TNuvMD5 : public QObject {
    Q_OBJECT

public:
    explicit TNuvMD5(QObject* owner = nullptr);

    // Digest of the text's bytes: 32 lower-case hex digits.
    std::string MD5(const std::string& text) const;

    // Digest of `length` bytes at `data`, written to `out` as 32 lower-case hex
    // digits and a terminating zero (room for 33 bytes); returns `out`.
    char* GetMD5OfStr(const void* data, std::size_t length, char* out) const;
};
