// The in-memory INI image: the line parser, decoding of 8-bit files,
// number formats and the all-or-nothing write.
#include "core/inifile.h"

#include "core/atomicfile.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the five bytes the
// code page leaves undefined keep their own value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The index key of a name: its case-folded form. Most names are already
// lower-case ASCII and share the name's own storage.
QString Folded(const QString& name) {
    for (const QChar c : name)
        if (c.unicode() >= 0x80 || (c >= u'A' && c <= u'Z')) return name.toCaseFolded();
    return name;
}

// A byte-order mark inside the text (a file pasted after another) is as
// invisible as a blank: a name never starts or ends with one.
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0xFEFF);
}

QStringView Trimmed(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.mid(b, e - b);
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

bool IsValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false; // stray continuation byte, 0xC0/0xC1 or beyond 0xF4
        }
        if (n - i <= more) return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned t = p[i + k];
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // The shortest form only, no UTF-16 surrogates, nothing past U+10FFFF.
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000)) return false;
        if (cp >= 0xD800 && cp <= 0xDFFF) return false;
        if (cp > 0x10FFFF) return false;
        i += more + 1;
    }
    return true;
}

QString DecodeWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += QChar(b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

QString DecodeText(const QByteArray& bytes, bool* wasWindows1252) {
    QByteArray body = bytes;
    const bool bom = body.startsWith("\xEF\xBB\xBF");
    if (bom) body.remove(0, 3);
    const bool utf8 = IsValidUtf8(body);
    if (wasWindows1252) *wasWindows1252 = !utf8;
    if (utf8) return QString::fromUtf8(body);
    // A mark followed by invalid text: the mark is most likely not one.
    return DecodeWindows1252(bom ? bytes : body);
}

bool TextToInteger(const QString& text, int& value) {
    const QStringView s = Trimmed(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    if (i == s.size()) return false;
    // Accumulate negatively so that the most negative int still fits.
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i])) return false;
        v = v * 10 - (s[i].unicode() - u'0');
        if (v < std::numeric_limits<int>::min()) return false;
    }
    if (!negative) {
        v = -v;
        if (v > std::numeric_limits<int>::max()) return false;
    }
    value = static_cast<int>(v);
    return true;
}

bool TextToFloat(const QString& text, double& value, QChar decimal) {
    const QStringView s = Trimmed(text);
    std::string plain; // the number rewritten with '.' for from_chars
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-') plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) plain += char(s[i].unicode());
    if (i < s.size() && s[i] == decimal) {
        plain += '.';
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits)
            plain += char(s[i].unicode());
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) plain += char(s[i++].unicode());
        int exponentDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++exponentDigits) plain += char(s[i].unicode());
        if (exponentDigits == 0) return false;
    }
    if (i != s.size()) return false;
    double v = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QString FloatToText(double value, QChar decimal) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0) return QStringLiteral("0");

    // 15 significant digits, correctly rounded by the C library:
    // "-d.dddddddddddddde+XXX".
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const std::string sci(buf);
    const bool negative = sci[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t e = sci.find('e');
    std::string digits = sci.substr(start, 1) + sci.substr(start + 2, e - start - 2);
    const int exponent = std::stoi(sci.substr(e + 1));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    QString out = negative ? QStringLiteral("-") : QString();
    const int n = static_cast<int>(digits.size());
    if (exponent < -5 || exponent >= 15) {
        out += QChar(digits[0]);
        if (n > 1) out += decimal + QString::fromLatin1(digits.c_str() + 1);
        out += u'E' + QString::number(exponent);
    } else if (exponent >= 0) {
        const int intDigits = exponent + 1;
        out += QString::fromLatin1(digits.c_str(), std::min(n, intDigits));
        if (n < intDigits) out += QString(intDigits - n, u'0');
        if (n > intDigits) out += decimal + QString::fromLatin1(digits.c_str() + intDigits);
    } else {
        out += u'0' + QString(decimal) + QString(-exponent - 1, u'0') +
               QString::fromLatin1(digits.c_str());
    }
    return out;
}

tinifile::tinifile(const QString& fileName) {
    Load(fileName);
}

tiniload tinifile::Load(const QString& fileName) {
    FileName_ = fileName;
    Clear();
    WasWindows1252_ = false;
    QFile file;
    FileState_ = OpenRegularFile(fileName, file);
    switch (FileState_) {
    case tfilestate::Regular:
        break;
    case tfilestate::Missing:
        return LoadResult_ = tiniload::Missing;
    case tfilestate::NotRegular:
        return LoadResult_ = tiniload::NotRegular;
    default:
        return LoadResult_ = tiniload::Unreadable;
    }
    if (file.size() > MaxFileSize) return LoadResult_ = tiniload::TooLarge;
    // Read at most one byte past the limit: a file that grows meanwhile (or a
    // device that reports no size) is still refused.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) return LoadResult_ = tiniload::TooLarge;
    if (file.error() != QFileDevice::NoError) return LoadResult_ = tiniload::Unreadable;
    LoadFromBytes(bytes);
    return LoadResult_ = tiniload::Ok;
}

void tinifile::LoadFromBytes(const QByteArray& bytes) {
    Clear();
    const QString text = DecodeText(bytes, &WasWindows1252_);
    // Keys before any section line belong to the unnamed section.
    tinisection* section = nullptr;
    const auto enter = [&](const QString& name) {
        section = FindSection(name);
        if (!section) section = &AddSection(name);
    };
    enter(QString());

    qsizetype start = 0;
    while (start < text.size()) {
        // Lines end at LF, CR LF or a lone CR; in a damaged file a NUL ends
        // the line too, so the readable lines after it still count.
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r' && !text[end].isNull())
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (end < text.size() && text[end] == u'\r' && start < text.size() && text[start] == u'\n')
            ++start;

        const QStringView body = Trimmed(line);
        if (body.isEmpty() || body[0] == u';' || body[0] == u'#') continue;
        if (body[0] == u'[') {
            // A section line that is not closed names nothing: its keys stay
            // in the section before it.
            const qsizetype close = body.indexOf(u']');
            if (close > 0) enter(Trimmed(body.mid(1, close - 1)).toString());
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) continue;
        const QString key = Trimmed(line.left(equals)).toString();
        if (key.isEmpty()) continue;
        // The value is the rest of the line, blanks included: captions with
        // a trailing space read back as they were written.
        if (!section->Find(key)) section->Add(key, line.mid(equals + 1).toString());
    }
    // The unnamed section is kept only when keys came before the first
    // section line.
    if (Sections_.front().keys.empty()) {
        Sections_.erase(Sections_.begin());
        RebuildIndex();
    }
}

std::size_t tinifile::tnamehash::operator()(const QString& name) const noexcept {
    static const std::uint64_t seed = [] {
        std::random_device rd;
        return (std::uint64_t(rd()) << 32 | rd()) ^ 0xcbf29ce484222325ull;
    }();
    std::uint64_t h = seed;
    for (const QChar c : name) {
        h ^= c.unicode();
        h *= 0x100000001b3ull; // the 64-bit FNV prime
    }
    return std::size_t(h ^ (h >> 29));
}

const tinifile::tinikey* tinifile::tinisection::Find(const QString& key) const {
    const auto at = index.find(Folded(key));
    return at == index.end() ? nullptr : &keys[at->second];
}

tinifile::tinikey* tinifile::tinisection::Find(const QString& key) {
    return const_cast<tinikey*>(std::as_const(*this).Find(key));
}

void tinifile::tinisection::Add(const QString& key, const QString& value) {
    index.emplace(Folded(key), keys.size());
    keys.push_back({key, value});
}

void tinifile::tinisection::Reindex() {
    index.clear();
    for (std::size_t i = 0; i < keys.size(); ++i) index.emplace(Folded(keys[i].name), i);
}

const tinifile::tinisection* tinifile::FindSection(const QString& section) const {
    const auto at = Index_.find(Folded(section));
    return at == Index_.end() ? nullptr : &Sections_[at->second];
}

tinifile::tinisection& tinifile::AddSection(const QString& section) {
    Index_.emplace(Folded(section), Sections_.size());
    Sections_.push_back({section, {}, {}});
    return Sections_.back();
}

void tinifile::RebuildIndex() {
    Index_.clear();
    for (std::size_t i = 0; i < Sections_.size(); ++i) Index_.emplace(Folded(Sections_[i].name), i);
}

tinifile::tinisection* tinifile::FindSection(const QString& section) {
    return const_cast<tinisection*>(std::as_const(*this).FindSection(section));
}

const QString* tinifile::FindValue(const QString& section, const QString& key) const {
    const tinisection* s = FindSection(section);
    if (!s) return nullptr;
    const tinikey* k = s->Find(key);
    return k ? &k->value : nullptr;
}

tinifile::tinisection& tinifile::SectionForWrite(const QString& section) {
    if (tinisection* s = FindSection(section)) return *s;
    return AddSection(section);
}

bool tinifile::SectionExists(const QString& section) const {
    return FindSection(section);
}

bool tinifile::ValueExists(const QString& section, const QString& key) const {
    return FindValue(section, key);
}

QStringList tinifile::Sections() const {
    QStringList names;
    for (const tinisection& s : Sections_) names << s.name;
    return names;
}

QStringList tinifile::Keys(const QString& section) const {
    QStringList names;
    if (const tinisection* s = FindSection(section))
        for (const tinikey& k : s->keys) names << k.name;
    return names;
}

QString tinifile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const QString* v = FindValue(section, key);
    return v ? *v : def;
}

int tinifile::ReadInteger(const QString& section, const QString& key, int def) const {
    const QString* v = FindValue(section, key);
    int value = def;
    if (v && TextToInteger(*v, value)) return value;
    return def;
}

bool tinifile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double tinifile::ReadFloat(const QString& section, const QString& key, double def,
                           QChar decimal) const {
    const QString* v = FindValue(section, key);
    double value = def;
    if (v && TextToFloat(*v, value, decimal)) return value;
    return def;
}

void tinifile::WriteString(const QString& section, const QString& key, const QString& value) {
    // Line breaks would split the value into lines of their own on reading.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ').replace(QChar(0), u' ');
    tinisection& s = SectionForWrite(section);
    if (tinikey* k = s.Find(key))
        k->value = clean;
    else
        s.Add(key, clean);
}

void tinifile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void tinifile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void tinifile::WriteFloat(const QString& section, const QString& key, double value, QChar decimal) {
    WriteString(section, key, FloatToText(value, decimal));
}

void tinifile::DeleteKey(const QString& section, const QString& key) {
    if (tinisection* s = FindSection(section)) {
        s->keys.erase(std::remove_if(s->keys.begin(), s->keys.end(),
                                     [&](const tinikey& k) { return SameName(k.name, key); }),
                      s->keys.end());
        s->Reindex();
    }
}

void tinifile::EraseSection(const QString& section) {
    Sections_.erase(std::remove_if(Sections_.begin(), Sections_.end(),
                                   [&](const tinisection& s) { return SameName(s.name, section); }),
                    Sections_.end());
    RebuildIndex();
}

void tinifile::Clear() {
    Sections_.clear();
    Index_.clear();
}

QByteArray tinifile::ToText() const {
    QString text;
    for (const tinisection& s : Sections_) {
        // Keys found before any section line stay before the first one.
        if (!(s.name.isEmpty() && &s == &Sections_.front()))
            text += u'[' + s.name + QStringLiteral("]\n");
        for (const tinikey& k : s.keys) text += k.name + u'=' + k.value + u'\n';
    }
    return text.toUtf8();
}

bool tinifile::Save() const {
    return SaveAs(FileName_);
}

bool tinifile::SaveAs(const QString& fileName) const {
    if (fileName.isEmpty()) return false;
    // Only a regular file (or nothing) is replaced, never a device or FIFO.
    tatomicfile file(fileName, true);
    if (!file.Open()) return false;
    const QByteArray text = ToText();
    if (file.Device().write(text) != text.size()) return false;
    return file.Commit();
}
