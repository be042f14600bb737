// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checker.h"
#include "runtime/paths.h"
#include "textreader.h"

#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Fom;

namespace check {

// A writer's text inside a message, cut short so that a huge line stays readable.
QString shown(const QString &text);
bool isBlank(QChar c);
bool blankOnly(const QString &text); // not empty, and nothing but blanks

// Every finding of one run. A file with many findings of one kind lists the first few and
// then one line for the rest, so that a broken file cannot bury the others.
class Findings {
  public:
    void add(Severity severity, const QString &file, int line, const QString &code,
             const QString &message);
    void error(const QString &file, int line, const QString &code, const QString &message) {
        add(Severity::Error, file, line, code, message);
    }
    void warning(const QString &file, int line, const QString &code, const QString &message) {
        add(Severity::Warning, file, line, code, message);
    }
    Report take();

  private:
    struct Hidden {
        Severity severity;
        QString file;
        QString code;
        int firstLine = 0;
        int count = 0;
    };
    QList<Finding> listed_;
    QHash<QString, int> perKind_;
    QHash<QString, Hidden> hidden_;
    int errors_ = 0;
    int warnings_ = 0;
};

// One folder of the game (dat/ or img/), its names found as the game finds them and each
// found once, so that thousands of look-ups stay cheap.
class FolderIndex {
  public:
    void load(const QString &root, const QString &folder);
    bool isFolder() const { return isFolder_; }
    bool existsAsSomethingElse() const { return existsAsOther_; }
    // The folder as the game finds it, for a finding about its own name.
    const rt::GameFile &self() const { return self_; }
    // The file the game opens for this name ("name.dat"), which may lie further down or,
    // through "..", in another folder of the game.
    const rt::GameFile &find(const QString &fileName) const;
    // A file that the writer probably meant, for the message about a missing one.
    QString nearMiss(const QString &fileName) const;
    QStringList names() const { return names_; }

  private:
    QString root_;
    QString folder_; // as found, with "/" after it
    rt::GameFile self_;
    bool isFolder_ = false;
    bool existsAsOther_ = false;
    QStringList names_;
    QMultiHash<QString, QString> folded_; // lower-case name without ".dat" -> names
    mutable QHash<QString, rt::GameFile> found_;
};

// What the bytes and line ends of one text file say, reported once it has been read.
class TextChecks {
  public:
    TextChecks(Findings &out, QString file, Severity invalidBytes)
        : out_(out), file_(std::move(file)), invalidSeverity_(invalidBytes) {}
    void line(const TextLine &line, bool lastInFile);
    void finish(const TextReader &reader);
    // A last line without a line end that holds nothing visible: the game still reads it.
    static bool invisibleTail(const TextLine &line, bool lastInFile);

  private:
    Findings &out_;
    QString file_;
    Severity invalidSeverity_;
    QList<int> invalidLines_;
    int firstLoneCr_ = 0;
    int loneCrCount_ = 0;
};

// A catalogue split into records as the game's reader splits it, each line read passed to
// onLine (with whether it is the file's last) before it is used.
struct CatalogueSplit {
    QList<CatalogueRecord> records; // at most the capacity
    int extra = 0;                  // records beyond it, never read
    int extraLine = 0;              // where they start
};
CatalogueSplit splitCatalogue(TextReader &reader, int capacity,
                              const std::function<void(const TextLine &, bool)> &onLine);

// The game's own window, never shown, laid out for the reference screen: its message area
// says how a page will look. Needs a QApplication; without one nothing is laid out.
class PageView {
  public:
    static constexpr int referenceScreenWidth = 1024;
    static constexpr int referenceTitleBar = 20;
    static constexpr int referenceBorder = 1;
    PageView();
    ~PageView();
    bool available() const { return fom_ != nullptr; }
    struct Fit {
        bool fits = true;
        int rows = 0;    // rows the page takes
        int visible = 0; // whole rows the message area shows
    };
    // The message area's caption as the runner builds it, lines joined by CR LF.
    Fit fit(const QString &caption);
    // Pixel height of the glyphs a choice button draws this caption with, and of those
    // it draws a short caption with.
    struct Glyphs {
        int caption = 0;
        int normal = 0;
    };
    Glyphs choiceGlyphs(const QString &caption);

  private:
    std::unique_ptr<Fom> fom_;
};

// How an event ends when it is played from its first line, for the choice count.
enum class Handover { Closes, Question, Chain, NewGame, Broken };
struct EventOutline {
    Handover ending = Handover::Broken;
    QString chainTarget;
    // The first step runs straight into another event (">ive" or ">end") without
    // showing a line: started afresh within the same step.
    std::optional<QString> passesInto;
    int passLine = 0;
    bool passAtOnce = false; // that line runs at once after the step before it
    int endLine = 0;         // the line that hands over (">ive", ">end", ">qst")
};

class GameCheck {
  public:
    explicit GameCheck(const QString &root);
    Report run();
    const QString &root() const { return root_; }

    // Used while reading the scripts.
    Findings out;
    QString datFile(const QString &name) const {
        return QStringLiteral("dat/") + name + QStringLiteral(".dat");
    }
    QString imgFile(const QString &name) const {
        return QStringLiteral("img/") + name + QStringLiteral(".dat");
    }
    enum class Via { Start, Branch, Chain };
    // endsEvent: the line runs at once after the step before it, whose recovery then ends
    // the event; otherwise a failure there stops the game.
    void referEvent(const QString &name, Via via, const QString &file, int line,
                    bool endsEvent = false);
    void referPicture(const QString &name, const QString &file, int line, bool endsEvent = false);
    // What the game opens, asked without a word to the writer.
    bool opensEvent(const QString &name) const {
        const rt::GameFile &found = dat_.find(name + QStringLiteral(".dat"));
        return found.found && !found.outside;
    }
    bool opensPicture(const QString &name) const;
    // A name that the game finds only as Windows would, or one it refuses: said at the
    // line that gives it. False when the game cannot open it.
    bool noteName(const rt::GameFile &found, const QString &asked, const QString &file, int line);
    // The message area, made on first use; null without widgets.
    PageView *pages();

  private:
    bool loadFolders();
    void checkMusic();
    void checkAlbum();
    void checkCatalogue(const QString &stem, bool special);
    void checkScripts();
    void checkScript(const QString &name);
    void checkChainLoops();
    void checkNeverEnding();
    void checkFirstChoiceEnding();
    void checkPictures();
    void reportUnusedScripts();
    int firstChoicesFrom(const QString &name, QHash<QString, int> &memo, QSet<QString> &open);

    QString root_;
    FolderIndex dat_;
    FolderIndex img_;
    QList<QString> pendingEvents_;
    QHash<QString, bool> eventPresent_;            // every event name met, and whether it can start
    QHash<QString, EventOutline> events_;          // the events that were read
    QHash<QByteArray, rt::GameFile> picturesUsed_; // by the bytes of their names on disk
    QSet<QByteArray> scriptsRead_;
    QSet<QString> failingLoop_; // events that restart themselves: an error
    std::unique_ptr<PageView> pages_;
};

// What a failing line does: at once after a step that recovers, it ends the event.
QString failureEnd(bool endsEvent);

// Reads one script as the runner plays it.
void checkScriptLines(GameCheck &game, const QString &name, TextReader &reader,
                      EventOutline &outline);

} // namespace check
