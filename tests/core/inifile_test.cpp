// The INI image: order, repeated keys, damaged and 8-bit files, number
// formats and the all-or-nothing write.
#include "core/inifile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

tinifile FromBytes(const QByteArray& bytes) {
    tinifile ini;
    ini.LoadFromBytes(bytes);
    return ini;
}

} // namespace

TEST(IniFile, WrittenFileReadsBackWithSameValuesAndExactText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    tinifile out;
    out.WriteString("Left", "filename", QString::fromUtf8("D:\\Photos\\Été=1.JPG"));
    out.WriteInteger("Left", "autorot", -90);
    out.WriteBool("Left", "mancropd", true);
    out.WriteFloat("Left", "rot", 0.0125);
    out.WriteString("Stereo", "type", "1");
    ASSERT_TRUE(out.SaveAs(path));

    EXPECT_EQ(ReadAll(path), QByteArray("[Left]\n"
                                        "filename=D:\\Photos\\\xC3\x89t\xC3\xA9=1.JPG\n"
                                        "autorot=-90\n"
                                        "mancropd=1\n"
                                        "rot=0.0125\n"
                                        "[Stereo]\n"
                                        "type=1\n"));

    tinifile in(path);
    EXPECT_EQ(in.LoadResult(), tiniload::Ok);
    EXPECT_FALSE(in.WasWindows1252());
    EXPECT_EQ(in.ReadString("Left", "filename", ""), QString::fromUtf8("D:\\Photos\\Été=1.JPG"));
    EXPECT_EQ(in.ReadInteger("Left", "autorot", 0), -90);
    EXPECT_TRUE(in.ReadBool("Left", "mancropd", false));
    EXPECT_EQ(in.ReadFloat("Left", "rot", 0), 0.0125);
    EXPECT_EQ(in.Sections(), QStringList({"Left", "Stereo"}));
    EXPECT_EQ(in.Keys("Left"), QStringList({"filename", "autorot", "mancropd", "rot"}));
}

TEST(IniFile, OverwritingAKeyKeepsItsPlaceAndNamesIgnoreCase) {
    tinifile ini = FromBytes("[Visu]\nstart=1\nmode=2\n[Zoom]\nsize=150\n");
    ini.WriteInteger("VISU", "Mode", 5);
    ini.WriteInteger("visu", "tool", 4);
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(ini.ToText(), QByteArray("[Visu]\nstart=1\nmode=5\ntool=4\n[Zoom]\nsize=150\n"
                                       "[New]\nk=v\n"));
    EXPECT_TRUE(ini.ValueExists("ZOOM", "SIZE"));
    EXPECT_FALSE(ini.ValueExists("Zoom", "w"));
    EXPECT_FALSE(ini.SectionExists("Menu"));
}

TEST(IniFile, FirstOfRepeatedKeysWinsAndRepeatedSectionsMerge) {
    const tinifile ini = FromBytes("[Visu]\nmode=2\nMODE=6\n[Zoom]\nsize=201\n"
                                   "[visu]\nmode=7\nlissage=1\n");
    EXPECT_EQ(ini.ReadInteger("Visu", "mode", -1), 2);
    EXPECT_TRUE(ini.ReadBool("Visu", "lissage", false));
    EXPECT_EQ(ini.Sections(), QStringList({"Visu", "Zoom"}));
    EXPECT_EQ(ini.Keys("Visu"), QStringList({"mode", "lissage"}));
}

TEST(IniFile, ValueIsTheRestOfTheLineWithoutQuotesOrContinuation) {
    const tinifile ini = FromBytes("[S]\r\n  a = x = y  \r\nb=\"q\"\r\nc=<<<END\r\nd=\r\n"
                                   ";e=comment\r\nnot a key line\r\n[broken\r\nf=2\r\n");
    EXPECT_EQ(ini.ReadString("S", "a", "?"), " x = y  ");
    EXPECT_EQ(ini.ReadString("S", "b", "?"), "\"q\"");
    EXPECT_EQ(ini.ReadString("S", "c", "?"), "<<<END");
    EXPECT_EQ(ini.ReadString("S", "d", "?"), "");
    EXPECT_FALSE(ini.ValueExists("S", ";e"));
    EXPECT_EQ(ini.ReadInteger("S", "f", 0), 2);
}

TEST(IniFile, CaptionsKeepTheirBlanksThroughAWrite) {
    tinifile ini;
    ini.WriteString("MenuFile_Reset", "Caption", QString::fromUtf8(" Réinitialiser... "));
    ini.WriteInteger("N", "k", 5);
    const tinifile back = FromBytes(ini.ToText());
    EXPECT_EQ(back.ReadString("MenuFile_Reset", "Caption", ""),
              QString::fromUtf8(" Réinitialiser... "));
    // Numbers do not mind blanks around them.
    EXPECT_EQ(FromBytes("[N]\nk = 5 \t\n").ReadInteger("N", "k", 0), 5);
}

TEST(IniFile, OldMacAndMixedLineEndsAreLineEnds) {
    const tinifile ini = FromBytes("[A]\rx=1\r[B]\r\ny=2\n\nz=3\r\r");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
    EXPECT_EQ(ini.ReadInteger("B", "z", 0), 3);
    EXPECT_EQ(ini.Keys("B"), QStringList({"y", "z"}));
}

TEST(IniFile, MissingEmptyAndOversizedFilesReadAsEmpty) {
    QTemporaryDir dir;
    tinifile missing(dir.filePath("none.ini"));
    EXPECT_EQ(missing.LoadResult(), tiniload::Missing);
    EXPECT_TRUE(missing.Sections().isEmpty());
    EXPECT_EQ(missing.ReadInteger("Visu", "mode", 1), 1);

    WriteAll(dir.filePath("empty.ini"), "");
    tinifile empty(dir.filePath("empty.ini"));
    EXPECT_EQ(empty.LoadResult(), tiniload::Ok);
    EXPECT_TRUE(empty.Sections().isEmpty());

    QByteArray big("[A]\nk=1\n");
    big += QByteArray(tinifile::MaxFileSize, 'x');
    WriteAll(dir.filePath("big.ini"), big);
    tinifile huge(dir.filePath("big.ini"));
    EXPECT_EQ(huge.LoadResult(), tiniload::TooLarge);
    EXPECT_FALSE(huge.ValueExists("A", "k"));

    tinifile folder(dir.path());
    EXPECT_NE(folder.LoadResult(), tiniload::Ok);
    EXPECT_TRUE(folder.Sections().isEmpty());
}

TEST(IniFile, BinaryGarbageKeepsItsReadableKeys) {
    QByteArray bytes;
    // A deterministic byte soup with NULs, stray UTF-8 lead bytes and brackets.
    unsigned state = 12345;
    for (int i = 0; i < 5000; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += char(state >> 16);
    }
    bytes += "\n[Visu]\nmode=3\n";
    bytes += QByteArray("\0\0\xFF\xFE[", 5);
    bytes += QByteArray("\nzoom=\x9C\x00\x01\n", 10);
    bytes += "[Zoom\n[Zoom]\nsize=201\n";
    const tinifile ini = FromBytes(bytes);
    EXPECT_TRUE(ini.WasWindows1252());
    EXPECT_EQ(ini.ReadInteger("Visu", "mode", 1), 3);
    EXPECT_EQ(ini.ReadInteger("Zoom", "size", 150), 201);
}

TEST(IniFile, EightBitFileIsReadAsWindows1252) {
    const tinifile ini = FromBytes("[Lng]\nFileName=Fran\xE7"
                                   "ais \x80\x92\x9C.lng\n");
    EXPECT_TRUE(ini.WasWindows1252());
    EXPECT_EQ(ini.ReadString("Lng", "FileName", ""),
              QString::fromUtf16(u"Français \u20AC\u2019\u0153.lng"));
}

TEST(IniFile, ByteOrderMarkIsDropped) {
    const tinifile ini = FromBytes("\xEF\xBB\xBF[Lng]\nFileName=\xC3\xA9\n");
    EXPECT_FALSE(ini.WasWindows1252());
    EXPECT_EQ(ini.Sections(), QStringList({"Lng"}));
    EXPECT_EQ(ini.ReadString("Lng", "FileName", ""), QString::fromUtf16(u"\u00E9"));
}

TEST(IniFile, KeysBeforeAnySectionSurviveAWrite) {
    tinifile ini = FromBytes("lonely=1\n[A]\nk=2\n");
    EXPECT_EQ(ini.ReadInteger("", "lonely", 0), 1);
    EXPECT_EQ(ini.ToText(), QByteArray("lonely=1\n[A]\nk=2\n"));
}

TEST(IniFile, LineBreaksInAValueCannotForgeKeys) {
    tinifile ini;
    ini.WriteString("Lng", "FileName", "a\n[Visu]\r\nmode=9");
    const tinifile back = FromBytes(ini.ToText());
    EXPECT_EQ(back.Sections(), QStringList({"Lng"}));
    EXPECT_EQ(back.ReadString("Lng", "FileName", ""), "a [Visu]  mode=9");
}

TEST(IniFile, DeleteKeyAndEraseSection) {
    tinifile ini = FromBytes("[A]\nx=1\ny=2\n[B]\nz=3\n");
    ini.DeleteKey("a", "X");
    ini.EraseSection("b");
    EXPECT_EQ(ini.ToText(), QByteArray("[A]\ny=2\n"));
}

TEST(IniFile, FailedSaveReportsFalseAndLeavesNoFile) {
    QTemporaryDir dir;
    tinifile ini;
    ini.WriteString("A", "k", "v");
    EXPECT_FALSE(ini.SaveAs(dir.filePath("no/such/folder/a.ini")));
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/a.ini")));
    // A folder in the way is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ini"));
    EXPECT_FALSE(ini.SaveAs(dir.filePath("taken.ini")));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ini")).isDir());
    EXPECT_FALSE(tinifile().Save()); // no name
}

TEST(IniFile, SaveReplacesTheOldFileWholeAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    WriteAll(path, "[Old]\nlong=" + QByteArray(10000, 'o') + "\n");
    tinifile ini;
    ini.WriteString("New", "k", "v");
    ASSERT_TRUE(ini.SaveAs(path));
    EXPECT_EQ(ReadAll(path), QByteArray("[New]\nk=v\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"s.ini"}));
}

TEST(IniNumbers, IntegersAreDecimalWithOptionalSign) {
    const tinifile ini = FromBytes("[N]\na=12\nb=-3\nc=+4\nd=abc\ne=12abc\nf=\ng=2147483647\n"
                                   "h=2147483648\ni=-2147483648\nj=-2147483649\nk=0x10\nl=1.0\n"
                                   "m=-\n");
    EXPECT_EQ(ini.ReadInteger("N", "a", 7), 12);
    EXPECT_EQ(ini.ReadInteger("N", "b", 7), -3);
    EXPECT_EQ(ini.ReadInteger("N", "c", 7), 4);
    for (const char* key : {"d", "e", "f", "h", "j", "k", "l", "m", "absent"})
        EXPECT_EQ(ini.ReadInteger("N", key, 7), 7) << key;
    EXPECT_EQ(ini.ReadInteger("N", "g", 7), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "i", 7), -2147483647 - 1);
}

TEST(IniNumbers, BooleansAreIntegersNonZeroTrue) {
    const tinifile ini = FromBytes("[B]\na=1\nb=0\nc=2\nd=-1\ne=yes\nf=true\n");
    EXPECT_TRUE(ini.ReadBool("B", "a", false));
    EXPECT_FALSE(ini.ReadBool("B", "b", true));
    EXPECT_TRUE(ini.ReadBool("B", "c", false));
    EXPECT_TRUE(ini.ReadBool("B", "d", false));
    EXPECT_FALSE(ini.ReadBool("B", "e", false));
    EXPECT_TRUE(ini.ReadBool("B", "f", true));
}

TEST(IniNumbers, RealsAreWrittenWithFifteenDigitsFixedOrScientific) {
    EXPECT_EQ(FloatToText(0), "0");
    EXPECT_EQ(FloatToText(-0.0), "0");
    EXPECT_EQ(FloatToText(0.5), "0.5");
    EXPECT_EQ(FloatToText(-12.25), "-12.25");
    EXPECT_EQ(FloatToText(320), "320");
    EXPECT_EQ(FloatToText(0.0125), "0.0125");
    EXPECT_EQ(FloatToText(0.0125, u','), "0,0125");
    EXPECT_EQ(FloatToText(1.5e-6), "1.5E-6");
    EXPECT_EQ(FloatToText(-1e-7), "-1E-7");
    EXPECT_EQ(FloatToText(0.00001), "0.00001");
    EXPECT_EQ(FloatToText(0.000015), "0.000015");
    EXPECT_EQ(FloatToText(9.9e-6), "9.9E-6");
    EXPECT_EQ(FloatToText(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToText(1e15), "1E15");
    EXPECT_EQ(FloatToText(1.25e20, u','), "1,25E20");
    EXPECT_EQ(FloatToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToText(2 * M_PI), "6.28318530717959");
    EXPECT_EQ(FloatToText(999999999999999.9), "1E15");
    EXPECT_EQ(FloatToText(std::nan("")), "NAN");
    EXPECT_EQ(FloatToText(-INFINITY), "-INF");
}

TEST(IniNumbers, RealsAreReadWithTheGivenDecimalSeparator) {
    double v = 99;
    EXPECT_TRUE(TextToFloat("0,0125", v, u','));
    EXPECT_EQ(v, 0.0125);
    EXPECT_FALSE(TextToFloat("0.0125", v, u','));
    EXPECT_TRUE(TextToFloat(" -1.5E-6 ", v));
    EXPECT_EQ(v, -1.5e-6);
    EXPECT_TRUE(TextToFloat("+2e3", v));
    EXPECT_EQ(v, 2000);
    EXPECT_TRUE(TextToFloat(".5", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(TextToFloat("7.", v));
    EXPECT_EQ(v, 7);
    v = 99;
    for (const char* bad :
         {"", ".", "E5", "1E", "1e+", "NAN", "INF", "1e400", "1,5", "1.5x", "- 1", "0x10"})
        EXPECT_FALSE(TextToFloat(bad, v)) << bad;
    EXPECT_EQ(v, 99);

    const tinifile ini = FromBytes("[R]\nrot=0,0125\nbad=abc\n");
    EXPECT_EQ(ini.ReadFloat("R", "rot", 0, u','), 0.0125);
    EXPECT_EQ(ini.ReadFloat("R", "rot", -1), -1);
    EXPECT_EQ(ini.ReadFloat("R", "bad", 1), 1);
}

TEST(IniNumbers, EveryWrittenRealReadsBackToFifteenDigits) {
    for (double x :
         {6.283185307179586, -0.001234567890123456, 1e-300, 4.5e300, 1234.5678, -7.0 / 9}) {
        double back = 0;
        ASSERT_TRUE(TextToFloat(FloatToText(x, u','), back, u',')) << x;
        EXPECT_NEAR(back, x, std::abs(x) * 1e-14) << x;
    }
}

TEST(TextDecoding, Utf8ValidationIsStrict) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE9"));             // Latin-1 e acute
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\x80"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\x80")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\x80"));             // stray continuation
}

TEST(TextDecoding, Windows1252Table) {
    const QString s = DecodeWindows1252("\x41\x80\x81\x8A\x8D\x8F\x90\x99\x9D\x9F\xA0\xE9\xFF");
    EXPECT_EQ(s, QString::fromUtf16(u"A\u20AC\u0081\u0160\u008D\u008F\u0090\u2122\u009D\u0178"
                                    u"\u00A0\u00E9\u00FF"));
}

TEST(IniFile, ManySectionsStayFindableAfterErasing) {
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += QByteArray("[Button") + QByteArray::number(i) + "]\nCaption=c" +
                QByteArray::number(i) + "\n";
    tinifile ini = FromBytes(text);
    ini.EraseSection("BUTTON10");
    EXPECT_FALSE(ini.SectionExists("Button10"));
    EXPECT_EQ(ini.ReadString("button2999", "caption", ""), "c2999");
    ini.WriteString("Button10", "Caption", "again");
    EXPECT_EQ(ini.Sections().back(), "Button10");
    EXPECT_EQ(ini.ReadString("Button11", "Caption", ""), "c11");
    EXPECT_EQ(ini.ReadString("Button10", "Caption", ""), "again");
}
