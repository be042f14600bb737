// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real program from outside, as the system would: signals, and SIGKILL at
// random moments while the album is being saved.
//   mirutena-probe kill PROGRAM KILLS SEED
//   mirutena-probe signals PROGRAM
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void die(const QString &message) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(message));
    std::exit(1);
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        die(QStringLiteral("cannot write ") + path);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A game folder with the program copied in (it reads its data beside itself).
struct GameCopy {
    QTemporaryDir dir;
    QString program;
    QString album;

    explicit GameCopy(const QString &source) {
        if (!dir.isValid())
            die(QStringLiteral("no temporary folder"));
        QDir root(dir.path());
        root.mkpath(QStringLiteral("dat"));
        root.mkpath(QStringLiteral("img"));
        program = dir.filePath(QStringLiteral("mirutena"));
        if (!QFile::copy(source, program))
            die(QStringLiteral("cannot copy ") + source);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(dir.filePath(QStringLiteral("dat/0.dat")), "\x82\xe2\x82\xa0\x81\x42\r\n");
        writeFile(dir.filePath(QStringLiteral("dat/syasin.dat")), "a\r\n");
        writeFile(dir.filePath(QStringLiteral("dat/tsyasin.dat")), "b\r\n");
        for (const char *name : {"ttl", "girl", "dmy"}) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            picture.save(dir.filePath(QStringLiteral("img/%1.dat").arg(QLatin1String(name))),
                         "PNG");
        }
        album = dir.filePath(QStringLiteral("dat/save.dat"));
    }

    QStringList strayFiles() const {
        QStringList known = {"0.dat", "syasin.dat", "tsyasin.dat", "save.dat"};
        QStringList stray;
        for (const QString &name :
             QDir(dir.filePath(QStringLiteral("dat")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            if (!known.contains(name))
                stray << name;
        return stray;
    }
};

// An album of `entries` photo codes in no order, with a few entries that are not valid
// CP932, which must come back byte for byte.
QByteArray unsortedAlbum(int entries, std::mt19937 &random) {
    QByteArray bytes;
    bytes.reserve(entries * 5);
    std::uniform_int_distribution<int> code(0, 46);
    for (int i = 0; i < entries; ++i) {
        int c = code(random);
        if (i % 10007 == 0)
            bytes += "\x82\xff\x81";
        else if (c > 30)
            bytes += 't' + QByteArray::number(c - 31).rightJustified(2, '0');
        else
            bytes += QByteArray::number(c).rightJustified(2, '0');
        bytes += "\r\n";
    }
    return bytes;
}

pid_t start(const QString &program) {
    pid_t pid = ::fork();
    if (pid < 0)
        die(QStringLiteral("fork failed"));
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        const QByteArray path = program.toLocal8Bit();
        ::execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// The program catches SIGTERM once its handlers are in place.
bool catchesSignals(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            const unsigned long long mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            const unsigned long long want =
                (1ULL << (SIGTERM - 1)) | (1ULL << (SIGINT - 1)) | (1ULL << (SIGHUP - 1));
            return (mask & want) == want;
        }
    }
    return false;
}

std::optional<int> reaped(pid_t pid, bool block) {
    int status = 0;
    pid_t r = ::waitpid(pid, &status, block ? 0 : WNOHANG);
    if (r != pid)
        return std::nullopt;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

void waitForHandlers(pid_t pid) {
    QElapsedTimer t;
    t.start();
    while (!catchesSignals(pid)) {
        if (auto code = reaped(pid, false))
            die(QStringLiteral("the program ended early with status %1").arg(*code));
        if (t.elapsed() > 60000)
            die(QStringLiteral("the program never installed its signal handlers"));
        QThread::usleep(200);
    }
}

// The save's output file is open: an unnamed or temporary file in dat/ that is not save.dat.
bool savingNow(pid_t pid, const QByteArray &datDir) {
    const QByteArray fdDir = "/proc/" + QByteArray::number(pid) + "/fd/";
    char target[4096];
    for (int fd = 3; fd < 256; ++fd) {
        const QByteArray link = fdDir + QByteArray::number(fd);
        const ssize_t n = ::readlink(link.constData(), target, sizeof target);
        if (n <= 0)
            continue;
        const QByteArrayView path(target, n);
        if (path.startsWith(datDir) && !path.endsWith("/save.dat"))
            return true;
    }
    return false;
}

int killTest(const QString &source, int kills, unsigned seed) {
    std::mt19937 random(seed);
    GameCopy game(source);
    const QByteArray datDir = game.dir.filePath(QStringLiteral("dat/")).toLocal8Bit();
    const QByteArray oldAlbum = unsortedAlbum(100000, random);

    // A complete save first: the sorted album that every finished save must give.
    writeFile(game.album, oldAlbum);
    pid_t pid = start(game.program);
    waitForHandlers(pid);
    ::kill(pid, SIGTERM);
    QElapsedTimer clock;
    clock.start();
    std::optional<qint64> seen;
    std::optional<int> code;
    while (!(code = reaped(pid, false))) {
        if (!seen && savingNow(pid, datDir))
            seen = clock.nsecsElapsed();
    }
    const qint64 total = clock.nsecsElapsed();
    if (*code != 0)
        die(QStringLiteral("a complete save ended with status %1").arg(*code));
    const QByteArray newAlbum = readFile(game.album);
    if (newAlbum == oldAlbum || newAlbum.size() != oldAlbum.size())
        die(QStringLiteral("the saved album is not the sorted old one"));
    // Kill anywhere from the save's start to the end of the process.
    const qint64 window = seen ? total - *seen : total;
    std::printf("save window %.1f ms (output seen: %s)\n", window / 1e6, seen ? "yes" : "no");

    int sawOld = 0, sawNew = 0, missed = 0, leftNamed = 0;
    const QString staging = QStringLiteral(".save.dat.new");
    std::uniform_int_distribution<qint64> delay(0, window);
    for (int i = 0; i < kills; ++i) {
        writeFile(game.album, oldAlbum);
        pid = start(game.program);
        waitForHandlers(pid);
        ::kill(pid, SIGTERM);
        QElapsedTimer wait;
        wait.start();
        bool saving = false;
        while (!(saving = savingNow(pid, datDir)) && !reaped(pid, false).has_value()) {
            if (wait.elapsed() > 60000)
                die(QStringLiteral("the save never began"));
        }
        if (!saving)
            ++missed;
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::nanoseconds(delay(random));
        while (std::chrono::steady_clock::now() < until) {
        }
        ::kill(pid, SIGKILL);
        reaped(pid, true);
        const QByteArray now = readFile(game.album);
        if (now == oldAlbum)
            ++sawOld;
        else if (now == newAlbum)
            ++sawNew;
        else
            die(QStringLiteral("kill %1 tore the album: %2 bytes").arg(i).arg(now.size()));
        // The hidden name a save goes through may stay behind (between naming and renaming,
        // or all along where the folder cannot hold unnamed files); the next save takes it
        // over. Anything else is litter.
        const QStringList stray = game.strayFiles();
        if (stray == QStringList{staging})
            ++leftNamed;
        else if (!stray.isEmpty())
            die(QStringLiteral("kill %1 left %2").arg(i).arg(stray.join(u' ')));
    }
    pid = start(game.program);
    waitForHandlers(pid);
    ::kill(pid, SIGTERM);
    if (reaped(pid, true) != 0 || readFile(game.album) != newAlbum || !game.strayFiles().isEmpty())
        die(QStringLiteral("the save after the kills did not end cleanly"));
    std::printf("kills %d: old album %d, new album %d, torn 0, hidden new file left %d "
                "(cleared by the next save), killed before the save opened %d\n",
                kills, sawOld, sawNew, leftNamed, missed);
    return 0;
}

int signalTest(const QString &source) {
    std::mt19937 random(7);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        GameCopy game(source);
        const QByteArray oldAlbum = unsortedAlbum(2000, random);
        writeFile(game.album, oldAlbum);
        pid_t pid = start(game.program);
        waitForHandlers(pid);
        QThread::msleep(300); // well into the event loop, the opening on screen
        ::kill(pid, signal);
        const int code = reaped(pid, true).value_or(-1);
        if (code != 0)
            die(QStringLiteral("signal %1: status %2, not 0").arg(signal).arg(code));
        const QByteArray now = readFile(game.album);
        if (now == oldAlbum || now.size() != oldAlbum.size())
            die(QStringLiteral("signal %1: the album was not written").arg(signal));
        QList<QByteArray> lines = now.split('\n');
        for (int i = 1; i + 1 < lines.size(); ++i)
            if (lines[i - 1] > lines[i])
                die(QStringLiteral("signal %1: the album is not in order").arg(signal));
        std::printf("signal %d: status 0, album written\n", signal);
    }
    // A signal while the album is still being read waits for the read to finish.
    GameCopy game(source);
    const QByteArray big = unsortedAlbum(100000, random);
    writeFile(game.album, big);
    pid_t pid = start(game.program);
    waitForHandlers(pid);
    ::kill(pid, SIGTERM);
    const int code = reaped(pid, true).value_or(-1);
    const QByteArray now = readFile(game.album);
    if (code != 0 || now.size() != big.size())
        die(QStringLiteral("early SIGTERM: status %1, album %2 of %3 bytes")
                .arg(code)
                .arg(now.size())
                .arg(big.size()));
    std::printf("early SIGTERM: status 0, album whole\n");
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("kill"))
        return killTest(args[2], args[3].toInt(), args[4].toUInt());
    if (args.size() == 3 && args[1] == QStringLiteral("signals"))
        return signalTest(args[2]);
    std::fprintf(stderr, "usage: mirutena-probe kill PROGRAM KILLS SEED | signals PROGRAM\n");
    return 2;
}
