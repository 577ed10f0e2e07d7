// The JPEG quality field's rules.
#include "output/jpegquality.h"

namespace {

// The length of the text's integer prefix: an optional sign, then digits.
// The whole text is an integer when it equals the text's length and holds a digit.
int IntegerPrefix(const QString& text, bool& hasDigit) {
    int i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
    const int digits = i;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) ++i;
    hasDigit = i > digits;
    return i;
}

// The value of a whole integer text; a number too long for a long long
// still counts by its sign.
long long ValueOf(const QString& text) {
    bool ok = false;
    const long long v = text.toLongLong(&ok);
    if (ok) return v;
    return text.startsWith(QLatin1Char('-')) ? -1 : JpegQualityMax + 1;
}

bool IsInteger(const QString& text) {
    bool hasDigit = false;
    return IntegerPrefix(text, hasDigit) == text.size() && hasDigit;
}

} // namespace

QString CleanJpegQualityText(const QString& text) {
    QString t = text;
    if (!IsInteger(t)) {
        bool hasDigit = false;
        t = t.left(IntegerPrefix(t, hasDigit));
        if (!hasDigit) t.clear();
    }
    if (t.isEmpty()) return QString::number(JpegQualityMin);
    const long long v = ValueOf(t);
    if (v > JpegQualityMax) return QString::number(JpegQualityMax);
    if (v < JpegQualityMin) return QString::number(JpegQualityMin);
    return t;
}

QString StepJpegQualityText(const QString& text, int step) {
    if (!IsInteger(text)) {
        bool hasDigit = false;
        return text.left(IntegerPrefix(text, hasDigit));
    }
    const long long v = ValueOf(text) + step;
    if (step > 0 && v >= JpegQualityMax) return QString::number(JpegQualityMax);
    if (step < 0 && v <= JpegQualityMin) return QString::number(JpegQualityMin);
    return QString::number(v);
}

int JpegQualityOf(const QString& text) {
    return int(ValueOf(CleanJpegQualityText(text)));
}
