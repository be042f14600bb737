// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker.h"
#include "textreader.h"

#include "runtime/cp932.h"
#include "runtime/paths.h"
#include "runtime/savefile.h"

#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

// mirutena-check --fix: a writer's files, as saved by an editor on Linux, put into the form
// the game reads. The game's own CP932 codec writes them, so what it decodes is what the
// writer typed.
namespace check {
namespace {

// What a Japanese input method on Linux types, and the Windows form that the game decodes
// the same CP932 bytes to.
constexpr std::pair<char16_t, char16_t> jisToWindows[] = {
    {u'\u301C', u'\uFF5E'}, {u'\u2016', u'\u2225'}, {u'\u2212', u'\uFF0D'}, {u'\u2014', u'\u2015'},
    {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'},
};

QString toWindowsForms(QString text) {
    for (QChar &ch : text) {
        for (auto [jis, windows] : jisToWindows) {
            if (ch == jis)
                ch = windows;
        }
    }
    return text;
}

constexpr int listedPerFile = 10;

// Every line end (CR LF, CR or LF) made CR LF. Safe on CP932 bytes too: no second byte of
// a double-byte character is a CR or an LF.
template <typename Text> Text withCrLf(const Text &in, bool *changed) {
    Text out;
    out.reserve(in.size() + in.size() / 16);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const auto c = in[i];
        if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') {
            out.append(in.sliced(i, 2));
            ++i;
        } else if (c == '\r' || c == '\n') {
            out.append('\r');
            out.append('\n');
            *changed = true;
        } else {
            out.append(c);
        }
    }
    return out;
}

QString codePoint(char32_t c) {
    return QStringLiteral("U+%1").arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
}

struct Converted {
    QByteArray bytes;
    QStringList done;     // what was changed, for the writer
    QStringList problems; // ":line:column: error: message", or ": error: message"
    int unlisted = 0;
};

// Text already in CR LF form, mapped and encoded; characters that CP932 cannot hold are
// listed by line and column as an editor counts them.
void encode(const QString &text, Converted &c) {
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t u = text.at(i).isHighSurrogate() && i + 1 < text.size()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : text.at(i).unicode();
        const qsizetype width = u > 0xFFFF ? 2 : 1;
        const QStringView one = QStringView(text).sliced(i, width);
        const QByteArray bytes = rt::encodeCp932(one);
        // The game's encoder writes "?" for what it lacks; only a true round trip counts.
        if (rt::decodeCp932(bytes) != one) {
            if (c.problems.size() < listedPerFile) {
                c.problems << QStringLiteral(":%1:%2: error: 「%3」（%4）は CP932 にない文字で、"
                                             "ゲームでは書き表せません。")
                                  .arg(line)
                                  .arg(column)
                                  .arg(one.toString(), codePoint(u));
            } else {
                ++c.unlisted;
            }
        }
        c.bytes += bytes;
        if (u == u'\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i += width;
    }
}

// One file's new bytes, or nothing to do.
Converted convert(const QByteArray &bytes) {
    Converted c;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if ((bom || beyondAscii(bytes)) && !utf8.hasError()) {
        bool endsChanged = false;
        encode(toWindowsForms(withCrLf(decoded, &endsChanged)), c);
        c.done << (bom ? QStringLiteral("BOM 付きの UTF-8 から CP932 にしました")
                       : QStringLiteral("UTF-8 から CP932 にしました"));
        if (endsChanged)
            c.done << QStringLiteral("改行を CR LF にしました");
        return c;
    }
    if (rt::decodeCp932(bytes).contains(QChar::ReplacementCharacter)) {
        c.problems << QStringLiteral(
            ": error: UTF-8 でも CP932 でもない文字コードなので、変換できま"
            "せん。");
        return c;
    }
    bool endsChanged = false;
    c.bytes = withCrLf(bytes, &endsChanged);
    if (endsChanged)
        c.done << QStringLiteral("改行を CR LF にしました");
    return c;
}

bool save(const QString &path, const QByteArray &bytes, QString &why) {
    rt::SaveFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    const QFileInfo dir(QFileInfo(path).absolutePath());
    why = !dir.isWritable() ? QStringLiteral("フォルダー dat に書き込む権限がありません")
          : !QFileInfo(path).isWritable()
              ? QStringLiteral("ファイルに書き込む権限がありません")
              : QStringLiteral("書き込めませんでした（%1）").arg(file.errorString());
    return false;
}

// Names typed on Linux hold the JIS forms, while the scripts (CP932) name the Windows ones:
// the files get the names the game asks for. Folders below first, then the folder's own
// entries; an entry whose new name is taken stays as it is.
void renameToWindowsForms(const QByteArray &dir, const QString &shown, QString &out, int &renamed,
                          int &errors) {
    for (const rt::FolderEntry &e : rt::listFolder(dir)) {
        const QByteArray path = dir + '/' + e.native;
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            renameToWindowsForms(path, shown + e.name + u'/', out, renamed, errors);
        const QString name = toWindowsForms(e.name);
        if (name == e.name || e.native != e.name.toUtf8())
            continue;
        const QByteArray target = dir + '/' + name.toUtf8();
        if (::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0) {
            out += shown + e.name + QStringLiteral(": 名前を ") + shown + name +
                   QStringLiteral(" に変えました。\n");
            ++renamed;
        } else {
            out += shown + e.name + QStringLiteral(": error: 名前を ") + shown + name +
                   QStringLiteral(" に変えられませんでした（%1）。スクリプトはこの名前では見つけ"
                                  "ません。\n")
                       .arg(errno == EEXIST ? QStringLiteral("その名前のファイルが既にあります")
                                            : QString::fromLocal8Bit(std::strerror(errno)));
            ++errors;
        }
    }
}

} // namespace

int fixTextFiles(const QString &folder, QString &out) {
    int errors = 0;
    int renamed = 0;
    const QString root = rt::withTrailingSeparator(folder);
    for (const QString &sub : {QStringLiteral("dat"), QStringLiteral("img")}) {
        const rt::GameFile dir = rt::findGameFile(root, sub);
        if (dir.found)
            renameToWindowsForms(dir.native, dir.path.mid(root.size()) + u'/', out, renamed,
                                 errors);
    }
    const QDir dat(rt::findGameFile(root, QStringLiteral("dat")).path);
    const QFileInfoList files =
        dat.entryInfoList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
    int rewritten = 0;
    for (const QFileInfo &info : files) {
        const QString name = dat.dirName() + u'/' + info.fileName();
        QFile in(info.filePath());
        if (!in.open(QIODevice::ReadOnly)) {
            out += name + QStringLiteral(": error: ファイルを読み込めません。\n");
            ++errors;
            continue;
        }
        const QByteArray bytes = in.readAll();
        in.close();
        const Converted c = convert(bytes);
        if (!c.problems.isEmpty()) {
            for (const QString &p : c.problems)
                out += name + p + u'\n';
            if (c.unlisted > 0) {
                out += name + QStringLiteral(": error: CP932 にない文字がほかに %1 個あります。\n")
                                  .arg(c.unlisted);
            }
            out += name + QStringLiteral(": このファイルは書き換えずに元のままにしました。\n");
            errors += int(c.problems.size()) + (c.unlisted > 0 ? 1 : 0);
            continue;
        }
        if (c.bytes == bytes)
            continue; // already in the game's form: left byte for byte
        QString why;
        if (!save(info.filePath(), c.bytes, why)) {
            out += name + QStringLiteral(": error: ") + why +
                   QStringLiteral("。このファイルは元のままです。\n");
            ++errors;
            continue;
        }
        out += name + QStringLiteral(": ") + c.done.join(QStringLiteral("、")) +
               QStringLiteral("。\n");
        ++rewritten;
    }
    if (renamed > 0)
        out += QStringLiteral("名前を変えたファイル: %1 個\n").arg(renamed);
    out += rewritten > 0 ? QStringLiteral("書き換えたファイル: %1 個\n").arg(rewritten)
                         : QStringLiteral("書き換えの要るファイルはありませんでした。\n");
    return errors;
}

} // namespace check
