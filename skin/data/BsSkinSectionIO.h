#pragma once
// One pass over a section's keys that either reads them or writes them.
// Every skin record describes its keys once, in order, through this
// interface; reading and writing then cannot drift apart, and a saved skin
// lists its keys in the order they are read. The font keys many sections
// share are one group (BsSkinFontKeys.h).

#include "BsIniFile.h"
#include "BsTypes.h"

#include <QPoint>

#include <string>
#include <type_traits>
#include <vector>

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

private:
    std::string section_;
};

// The kinds of key, written once for every pass over a section: each hands
// its key, with the INI file's reader and writer of that kind, to the one
// member template Key of Walk.
template <typename Walk> class TbsSkinKeyKinds : public TbsSkinSectionIO {
public:
    // The same defaults as the interface, for callers holding a reader or writer itself.
    void String(const char* key, std::string& value, const std::string& def = {}) override
    {
        Visit<&TbsIniFile::ReadString, &TbsIniFile::WriteString>(key, value, def);
    }
    void Integer(const char* key, int& value, int def = 0) override
    {
        Visit<&TbsIniFile::ReadInteger, &TbsIniFile::WriteInteger>(key, value, def);
    }
    void Bool(const char* key, bool& value) override
    {
        Visit<&TbsIniFile::ReadBool, &TbsIniFile::WriteBool>(key, value);
    }
    void Point(const char* key, QPoint& value) override
    {
        Visit<&TbsIniFile::ReadPoint, &TbsIniFile::WritePoint>(key, value);
    }
    void Rect(const char* key, TRect& value) override
    {
        Visit<&TbsIniFile::ReadRect, &TbsIniFile::WriteRect>(key, value);
    }
    void Color(const char* key, TColor& value, TColor def = 0) override
    {
        Visit<&TbsIniFile::ReadColor, &TbsIniFile::WriteColor>(key, value, def);
    }
    void FontStyles(const char* key, TFontStyles& value) override
    {
        Visit<&TbsIniFile::ReadFontStyles, &TbsIniFile::WriteFontStyles>(key, value);
    }
    void Alignment(const char* key, TAlignment& value) override
    {
        Visit<&TbsIniFile::ReadAlignment, &TbsIniFile::WriteAlignment>(key, value);
    }
    void StretchType(const char* key, TbsStretchType& value) override
    {
        Visit<&TbsIniFile::ReadStretchType, &TbsIniFile::WriteStretchType>(key, value);
    }
    void MorphKind(const char* key, TbsMorphKind& value) override
    {
        Visit<&TbsIniFile::ReadMorphKind, &TbsIniFile::WriteMorphKind>(key, value);
    }
    void InActiveEffect(const char* key, TbsInActiveEffect& value) override
    {
        Visit<&TbsIniFile::ReadInActiveEffect, &TbsIniFile::WriteInActiveEffect>(key, value);
    }
    void StdCommand(const char* key, TbsStdCommand& value) override
    {
        Visit<&TbsIniFile::ReadStdCommand, &TbsIniFile::WriteStdCommand>(key, value);
    }

private:
    template <auto Read, auto Write, typename T, typename... Default>
    void Visit(const char* key, T& value, const Default&... def)
    {
        static_cast<Walk&>(*this).template Key<Read, Write>(key, value, def...);
    }
};

// Reads each key from an INI text, falling back to the key's default.
class TbsSkinIniReader final : public TbsSkinKeyKinds<TbsSkinIniReader> {
public:
    explicit TbsSkinIniReader(const TbsIniFile& ini)
        : ini_(ini)
    {
    }
    bool Reading() const override { return true; }

    template <auto Read, auto, typename T, typename... Default>
    void Key(const char* key, T& value, const Default&... def)
    {
        value = (ini_.*Read)(Section(), key, def...);
    }

private:
    const TbsIniFile& ini_;
};

// Writes each key's value into an INI text; never changes the values.
class TbsSkinIniWriter final : public TbsSkinKeyKinds<TbsSkinIniWriter> {
public:
    explicit TbsSkinIniWriter(TbsIniFile& ini)
        : ini_(ini)
    {
    }
    bool Reading() const override { return false; }

    template <auto, auto Write, typename T, typename... Default>
    void Key(const char* key, T& value, const Default&...)
    {
        (ini_.*Write)(Section(), key, value);
    }

private:
    TbsIniFile& ini_;
};

// Copies a record's values into a fresh record of the same class: the first
// pass over the original records every value in key order, Play() turns the
// tape round, and the pass over the copy puts them in. Read-time corrections
// do not run again (the values already carry them).
class TbsSkinValueTape final : public TbsSkinKeyKinds<TbsSkinValueTape> {
public:
    bool Reading() const override { return false; }
    void Play();

    template <auto, auto, typename T, typename... Default> void Key(const char*, T& value, const Default&...)
    {
        Pass(TrackOf<T>(), value);
    }

private:
    template <typename T> struct Track {
        std::vector<T> values;
        std::size_t next = 0;
    };

    // Strings, points and rects keep their own tracks; colours and font
    // styles (unsigned) share one, integers, switches and enumerations another.
    template <typename V> auto& TrackOf()
    {
        if constexpr (std::is_same_v<V, std::string>)
            return strings_;
        else if constexpr (std::is_same_v<V, QPoint>)
            return points_;
        else if constexpr (std::is_same_v<V, TRect>)
            return rects_;
        else if constexpr (std::is_unsigned_v<V> && !std::is_same_v<V, bool>)
            return bits_;
        else
            return numbers_;
    }

    template <typename T, typename V> void Pass(Track<T>& track, V& value)
    {
        if (!playing_)
            track.values.push_back(static_cast<T>(value));
        else if (track.next < track.values.size())
            value = static_cast<V>(track.values[track.next++]);
    }

    bool playing_ = false;
    Track<std::string> strings_;
    Track<int> numbers_; // integers, switches and enumerations
    Track<unsigned> bits_; // colours and font styles
    Track<QPoint> points_;
    Track<TRect> rects_;
};
