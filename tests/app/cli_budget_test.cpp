// Small hostile inputs and options that claim huge pictures: each is refused
// with a message naming the size, nothing is written, and the command never
// holds more than 2 GB (its peak resident size, measured by the system).
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct tmeasured {
    int exitCode = -1;
    long peakKb = 0;
    QString err;
};

// Runs orvanel-cli as a child of its own and reads its peak resident size
// from wait4.
tmeasured RunMeasured(const QStringList& args, const QString& errFile) {
    std::vector<QByteArray> storage;
    storage.push_back(QByteArrayLiteral(ORVANEL_BIN_DIR "/orvanel-cli"));
    for (const QString& a : args) storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : storage) argv.push_back(b.data());
    argv.push_back(nullptr);
    const QByteArray errPath = QFile::encodeName(errFile);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 2);
        ::dup2(::open("/dev/null", O_WRONLY), 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    tmeasured m;
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status))
        m.exitCode = WEXITSTATUS(status);
    m.peakKb = usage.ru_maxrss;
    QFile f(errFile);
    if (f.open(QIODevice::ReadOnly)) m.err = QString::fromLocal8Bit(f.readAll());
    return m;
}

void Put16(QByteArray& b, int at, unsigned v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}
void Put32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// An RLE8 BMP of a few hundred bytes that declares width x height.
QByteArray ForgedRleBmp(int width, int height) {
    QByteArray b(54 + 1024, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, 54 + 1024);
    Put32(b, 14, 40);
    Put32(b, 18, std::uint32_t(width));
    Put32(b, 22, std::uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, 8);
    Put32(b, 30, 1);                                // BI_RLE8
    b += QByteArray("\x10\x05\x00\x00\x00\x01", 6); // a run, end of line, end of picture
    Put32(b, 2, std::uint32_t(b.size()));
    return b;
}

} // namespace

TEST(CommandLineBudget, HostileSizesAreRefusedWithinTwoGigabytes) {
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge_L.bmp");
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(ForgedRleBmp(16384, 16384));
    f.close();
    const QString l = dir.filePath("p_L.bmp"), r = dir.filePath("p_R.bmp");
    QImage small(640, 554, QImage::Format_RGB32);
    small.fill(qRgb(120, 90, 60));
    ASSERT_TRUE(small.save(l) && small.save(r));
    // A parameter file whose dz enlarges the pair 25 times.
    const QString prm = dir.filePath("p.prm");
    QFile p(prm);
    ASSERT_TRUE(p.open(QIODevice::WriteOnly));
    p.write(
        QString("[Stereo]\ntype=1\n[Left]\nfilename=%1\ndz=0.04\n[Right]\nfilename=%2\ndz=0.04\n")
            .arg(l, r)
            .toUtf8());
    p.close();
    const QString out = dir.filePath("out");
    const struct {
        QStringList args;
        const char* err; // part of the message
    } cases[] = {
        {{"render", "--noini", "--left", huge, "--right", r, "--out", out}, "16384"},
        {{"render", "--noini", "--prm", prm, "--out", out}, "16000 x 13850"},
        {{"render", "--noini", "--left", l, "--right", r, "--size", "20000x20000", "--out", out},
         "over the limit"},
        {{"render", "--noini", "--left", l, "--right", r, "--sep", "1048576", "--out", out},
         "over the limit"},
    };
    for (const auto& c : cases) {
        const tmeasured m = RunMeasured(c.args, dir.filePath("err.txt"));
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_NE(m.exitCode, 0) << what;
        EXPECT_LT(m.peakKb, 2L * 1024 * 1024) << what;
        EXPECT_TRUE(m.err.contains(c.err)) << what << ": " << m.err.toStdString();
    }
    // Nothing but empty kind folders at most.
    const QStringList written = QDir(out).entryList(QStringList() << "*.bmp"
                                                                  << "*.jpg",
                                                    QDir::Files);
    EXPECT_TRUE(written.isEmpty());
}
