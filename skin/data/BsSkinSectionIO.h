#pragma once
// One pass over a section's keys that either reads them or writes them.
// Every skin record describes its keys once, in order, through this
// interface; reading and writing then cannot drift apart, and a saved skin
// lists its keys in the order they are read.

#include "BsTypes.h"

#include <QPoint>

#include <string>
#include <vector>

class TbsIniFile;

class TbsSkinSectionIO {
public:
    virtual ~TbsSkinSectionIO() = default;

    virtual bool Reading() const = 0;
    // The section the following keys belong to.
    void SetSection(const std::string& section) { section_ = section; }
    const std::string& Section() const { return section_; }

    virtual void String(const char* key, std::string& value, const std::string& def = {}) = 0;
    virtual void Integer(const char* key, int& value, int def = 0) = 0;
    virtual void Bool(const char* key, bool& value) = 0;
    virtual void Point(const char* key, QPoint& value) = 0;
    virtual void Rect(const char* key, TRect& value) = 0;
    virtual void Color(const char* key, TColor& value, TColor def = 0) = 0;
    virtual void FontStyles(const char* key, TFontStyles& value) = 0;
    virtual void Alignment(const char* key, TAlignment& value) = 0;
    virtual void StretchType(const char* key, TbsStretchType& value) = 0;
    virtual void MorphKind(const char* key, TbsMorphKind& value) = 0;
    virtual void InActiveEffect(const char* key, TbsInActiveEffect& value) = 0;
    virtual void StdCommand(const char* key, TbsStdCommand& value) = 0;

    // The four font keys many sections share, in their file order; prefix
    // names a second font of the same section ("caption", "fixed" ...).
    void Font(std::string& name, int& height, TFontStyles& style, TColor& color, const char* prefix = "");

private:
    std::string section_;
};

// Reads each key from an INI text, falling back to the key's default.
class TbsSkinIniReader final : public TbsSkinSectionIO {
public:
    explicit TbsSkinIniReader(const TbsIniFile& ini)
        : ini_(ini)
    {
    }
    bool Reading() const override { return true; }
    void String(const char* key, std::string& value, const std::string& def = {}) override;
    void Integer(const char* key, int& value, int def = 0) override;
    void Bool(const char* key, bool& value) override;
    void Point(const char* key, QPoint& value) override;
    void Rect(const char* key, TRect& value) override;
    void Color(const char* key, TColor& value, TColor def = 0) override;
    void FontStyles(const char* key, TFontStyles& value) override;
    void Alignment(const char* key, TAlignment& value) override;
    void StretchType(const char* key, TbsStretchType& value) override;
    void MorphKind(const char* key, TbsMorphKind& value) override;
    void InActiveEffect(const char* key, TbsInActiveEffect& value) override;
    void StdCommand(const char* key, TbsStdCommand& value) override;

private:
    const TbsIniFile& ini_;
};

// Writes each key's value into an INI text; never changes the values.
class TbsSkinIniWriter final : public TbsSkinSectionIO {
public:
    explicit TbsSkinIniWriter(TbsIniFile& ini)
        : ini_(ini)
    {
    }
    bool Reading() const override { return false; }
    void String(const char* key, std::string& value, const std::string& def = {}) override;
    void Integer(const char* key, int& value, int def = 0) override;
    void Bool(const char* key, bool& value) override;
    void Point(const char* key, QPoint& value) override;
    void Rect(const char* key, TRect& value) override;
    void Color(const char* key, TColor& value, TColor def = 0) override;
    void FontStyles(const char* key, TFontStyles& value) override;
    void Alignment(const char* key, TAlignment& value) override;
    void StretchType(const char* key, TbsStretchType& value) override;
    void MorphKind(const char* key, TbsMorphKind& value) override;
    void InActiveEffect(const char* key, TbsInActiveEffect& value) override;
    void StdCommand(const char* key, TbsStdCommand& value) override;

private:
    TbsIniFile& ini_;
};

// Copies a record's values into a fresh record of the same class: the first
// pass over the original records every value in key order, Play() turns the
// tape round, and the pass over the copy puts them in. Read-time corrections
// do not run again (the values already carry them).
class TbsSkinValueTape final : public TbsSkinSectionIO {
public:
    bool Reading() const override { return false; }
    void Play();

    void String(const char* key, std::string& value, const std::string& def = {}) override;
    void Integer(const char* key, int& value, int def = 0) override;
    void Bool(const char* key, bool& value) override;
    void Point(const char* key, QPoint& value) override;
    void Rect(const char* key, TRect& value) override;
    void Color(const char* key, TColor& value, TColor def = 0) override;
    void FontStyles(const char* key, TFontStyles& value) override;
    void Alignment(const char* key, TAlignment& value) override;
    void StretchType(const char* key, TbsStretchType& value) override;
    void MorphKind(const char* key, TbsMorphKind& value) override;
    void InActiveEffect(const char* key, TbsInActiveEffect& value) override;
    void StdCommand(const char* key, TbsStdCommand& value) override;

private:
    template <typename T> struct Track {
        std::vector<T> values;
        std::size_t next = 0;
    };
    template <typename T, typename V> void Pass(Track<T>& track, V& value);

    bool playing_ = false;
    Track<std::string> strings_;
    Track<int> numbers_; // integers and enumerations
    Track<unsigned> bits_; // colours and font styles
    Track<QPoint> points_;
    Track<TRect> rects_;
};
