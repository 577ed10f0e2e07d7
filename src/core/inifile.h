// The INI text files of the program (settings, parameter and language files):
// an in-memory image that keeps section and key order and is written whole.
#pragma once

#include "core/regularfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <unordered_map>
#include <vector>

// How the last Load went. A file that could not be used reads as empty.
enum class tiniload {
    Ok,         // read (possibly empty)
    Missing,    // no such file: reads as empty, not an error
    Unreadable, // exists but could not be opened or read (FileState says why)
    NotRegular, // a folder, FIFO, device or socket: never opened for reading
    TooLarge,   // larger than any file this program writes; not parsed
};

// One INI file in memory. Section and key names compare without regard to
// case; the first spelling seen is the one written back. When a file repeats
// a key (or a section), the first value read wins and later ones are dropped,
// so a hand-edited duplicate at the end of a section cannot silently
// override the program's own line.
// A value is the rest of its line after the first '=', blanks included (no
// quoting, no continuation lines); key and section names are trimmed. Lines
// starting with ';' or '#', lines without '=' and section lines without ']'
// are skipped.
class tinifile {
public:
    // Files beyond this are not parsed: settings, parameter and language
    // files stay far below it, and a stray huge file must not eat memory.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    tinifile() = default;
    // Reads fileName at once (see Load); the name is kept for Save.
    explicit tinifile(const QString& fileName);

    // Replaces the content by the file's. Valid UTF-8 (with or without a
    // byte-order mark) is read as such, anything else as Windows-1252, so
    // files written by older 8-bit tools keep their accented letters. A
    // missing, unreadable or oversized file leaves the image empty.
    tiniload Load(const QString& fileName);
    // Replaces the content by the text of bytes, decoded as Load does.
    void LoadFromBytes(const QByteArray& bytes);

    const QString& FileName() const { return FileName_; }
    void SetFileName(const QString& fileName) { FileName_ = fileName; }
    tiniload LoadResult() const { return LoadResult_; }
    // What stood at the path of the last Load.
    tfilestate FileState() const { return FileState_; }
    // True when the last text read was not valid UTF-8 and was decoded as
    // Windows-1252.
    bool WasWindows1252() const { return WasWindows1252_; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // Section names in file order, and the keys of one section in order.
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal integer with an optional sign; anything else (empty, letters,
    // out of range) gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer, non-zero = true; non-numeric gives def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // A real number written with the decimal separator given (the parameter
    // file records its own); unreadable or non-finite gives def.
    double ReadFloat(const QString& section, const QString& key, double def,
                     QChar decimal = u'.') const;

    // Writing replaces the value of an existing key in place, or appends the
    // key to its section, creating the section at the end when needed.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value, QChar decimal = u'.');

    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);
    void Clear();

    // The whole file as UTF-8: "[section]" lines and "key=value" lines, each
    // ending with '\n', no blank lines.
    QByteArray ToText() const;
    // Writes the image in one piece to FileName(): the text goes to a
    // temporary file beside it that then replaces the old file, so a failure
    // never leaves a half-written file. False when nothing was written.
    bool Save() const;
    bool SaveAs(const QString& fileName) const;

private:
    // The index hash of a case-folded name: FNV-1a over its UTF-16 units from
    // a per-process seed, so a file cannot be forged to collide every key.
    struct tnamehash {
        std::size_t operator()(const QString& name) const noexcept;
    };
    using tnameindex = std::unordered_map<QString, std::size_t, tnamehash>;

    struct tinikey {
        QString name;
        QString value;
    };
    struct tinisection {
        QString name;
        std::vector<tinikey> keys;
        // Key position by case-folded name, so reading a file of n keys
        // takes time in n, not n squared.
        tnameindex index;

        const tinikey* Find(const QString& key) const;
        tinikey* Find(const QString& key);
        // Appends a key the section does not hold yet.
        void Add(const QString& key, const QString& value);
        void Reindex();
    };

    const tinisection* FindSection(const QString& section) const;
    tinisection* FindSection(const QString& section);
    const QString* FindValue(const QString& section, const QString& key) const;
    tinisection& SectionForWrite(const QString& section);
    tinisection& AddSection(const QString& section);
    void RebuildIndex();

    QString FileName_;
    std::vector<tinisection> Sections_;
    // Section position by case-folded name: language files hold a section
    // per control, and every control looks its own up.
    tnameindex Index_;
    tiniload LoadResult_ = tiniload::Ok;
    tfilestate FileState_ = tfilestate::Regular;
    bool WasWindows1252_ = false;
};

// Text helpers shared with the readers of other 8-bit text.

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const QByteArray& bytes);
// Windows-1252 to Unicode; the five bytes the code page leaves undefined map
// to the control characters of the same value.
QString DecodeWindows1252(const QByteArray& bytes);
// UTF-8 when valid (a leading byte-order mark dropped), else Windows-1252.
QString DecodeText(const QByteArray& bytes, bool* wasWindows1252 = nullptr);

// Number formats of the INI files.
// Decimal integer with an optional leading sign, surrounding blanks allowed.
bool TextToInteger(const QString& text, int& value);
// [sign] digits [decimal digits] [E [sign] digits], surrounding blanks
// allowed; at least one digit before the exponent. Finite results only.
bool TextToFloat(const QString& text, double& value, QChar decimal = u'.');
// Up to 15 significant digits, trailing zeros dropped: fixed notation
// ("0.5", "-12.25", "320"), scientific below 0.00001 or from 1E15 on
// ("1.5E-6", "1E15"). Non-finite values are written "NAN", "INF", "-INF",
// which TextToFloat refuses, so they read back as the default.
QString FloatToText(double value, QChar decimal = u'.');
