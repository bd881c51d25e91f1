#include "model/Document.h"

#include "model/modVantile.h"

#include <algorithm>

namespace
{

int16_t *wordsOf(modVantile &m, bool editor)
{
    return editor ? m.EditorImage.data() : m.PanelImage.data();
}

int clampScreen(int screen)
{
    return std::clamp(screen, 0, modVantile::ScreenCount - 1);
}

} // namespace

// One recorded step: the words and backgrounds it touched, before and after.
class Document::ImageCommand : public QUndoCommand
{
public:
    struct Words {
        bool editor;
        int start;
        std::vector<int16_t> before, after;
    };
    struct Text {
        int screen;
        QString before, after;
    };

    ImageCommand(Document &document, const QString &text, std::vector<Words> words, std::vector<Text> backgrounds,
                 std::vector<DocumentChange> changes, int mergeId)
        : QUndoCommand(text), document_(document), words_(std::move(words)), backgrounds_(std::move(backgrounds)),
          changes_(std::move(changes)), mergeId_(mergeId)
    {
    }

    void undo() override { apply(false); }
    void redo() override { apply(true); }
    int id() const override { return mergeId_; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = dynamic_cast<const ImageCommand *>(other);
        if (!next)
            return false;
        if (next->words_.size() != words_.size() || !next->backgrounds_.empty() || !backgrounds_.empty())
            return false;
        for (size_t i = 0; i < words_.size(); ++i)
            if (next->words_[i].editor != words_[i].editor || next->words_[i].start != words_[i].start ||
                next->words_[i].after.size() != words_[i].after.size())
                return false;
        for (size_t i = 0; i < words_.size(); ++i)
            words_[i].after = next->words_[i].after;
        setText(next->text());
        // Moved back where it started: the step is gone.
        setObsolete(!changed());
        return true;
    }

    // The screen all its changes belong to, or -1.
    int screen() const
    {
        int screen = -1;
        for (const DocumentChange &c : changes_) {
            if (c.scope == DocumentChange::Scope::Options || c.scope == DocumentChange::Scope::Project || c.screen < 0)
                continue;
            if (screen >= 0 && screen != c.screen)
                return -1;
            screen = c.screen;
        }
        return screen;
    }

    bool changed() const
    {
        for (const Words &w : words_)
            for (size_t i = 0; i < w.before.size(); ++i)
                if (w.before[i] != w.after[i] && !modVantile::IsDerivedWord(w.editor, w.start + int(i)))
                    return true;
        for (const Text &t : backgrounds_)
            if (t.before != t.after)
                return true;
        return false;
    }

private:
    void apply(bool forward)
    {
        modVantile &m = document_.Model();
        for (const Words &w : words_) {
            const std::vector<int16_t> &source = forward ? w.after : w.before;
            std::copy(source.begin(), source.end(), wordsOf(m, w.editor) + w.start);
        }
        for (const Text &t : backgrounds_)
            m.ScreenBackground[size_t(t.screen)] = forward ? t.after : t.before;
        document_.notify(changes_);
    }

    Document &document_;
    std::vector<Words> words_;
    std::vector<Text> backgrounds_;
    std::vector<DocumentChange> changes_;
    int mergeId_;
};

Document::Document(modVantile &m, QObject *parent) : QObject(parent), m_(m)
{
    connect(&stack_, &QUndoStack::cleanChanged, this, &Document::emitModified);
}

Document::~Document()
{
    // Nobody hears of the history going away with the document.
    stack_.blockSignals(true);
    stack_.clear();
}

void Document::MarkSaved()
{
    stack_.setClean();
    emitModified();
}

void Document::ResetHistory()
{
    stack_.clear();
    emitModified();
}

void Document::emitModified()
{
    emit ModifiedChanged(ProjectChanged());
}

void Document::notify(const std::vector<DocumentChange> &changes)
{
    emit Changed(QList<DocumentChange>(changes.begin(), changes.end()));
}

// The screen of a step of ours; -1 for one that is not (or no step).
int Document::screenOf(const QUndoCommand *command)
{
    const auto *ours = dynamic_cast<const ImageCommand *>(command);
    return ours ? ours->screen() : -1;
}

int Document::UndoScreen() const
{
    const int index = stack_.index();
    return index > 0 ? screenOf(stack_.command(index - 1)) : -1;
}

int Document::RedoScreen() const
{
    const int index = stack_.index();
    return index < stack_.count() ? screenOf(stack_.command(index)) : -1;
}

// --- Edit ----------------------------------------------------------------------

Document::Edit::Edit(Document &document, const QString &text) : document_(document), text_(text)
{
#ifndef NDEBUG
    panelBefore_.assign(document.m_.PanelImage.begin(), document.m_.PanelImage.end());
    editorBefore_.assign(document.m_.EditorImage.begin(), document.m_.EditorImage.end());
#endif
}

Document::Edit::~Edit()
{
    Q_ASSERT_X(committed_, "Document::Edit",
               qPrintable(QStringLiteral("\"%1\" ended without Commit or Revert").arg(text_)));
}

#ifndef NDEBUG
// Words outside the named parts must be as they were, but for derived ones.
void Document::Edit::checkUnwatched() const
{
    for (const bool editor : {false, true}) {
        const std::vector<int16_t> &before = editor ? editorBefore_ : panelBefore_;
        const int16_t *now = wordsOf(document_.m_, editor);
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] == now[i] || modVantile::IsDerivedWord(editor, int(i)))
                continue;
            const bool watched = std::any_of(words_.begin(), words_.end(), [&](const Words &w) {
                return w.editor == editor && int(i) >= w.start && int(i) < w.start + int(w.before.size());
            });
            Q_ASSERT_X(watched, "Document::Edit",
                       qPrintable(QStringLiteral("\"%1\" changed %2 word %3 outside the parts it named")
                                      .arg(text_, editor ? QStringLiteral("editor") : QStringLiteral("panel"))
                                      .arg(i)));
        }
    }
}
#endif

void Document::Edit::Revert()
{
    if (committed_)
        return;
    committed_ = true;
#ifndef NDEBUG
    checkUnwatched();
#endif
    for (const Words &w : words_)
        std::copy(w.before.begin(), w.before.end(), wordsOf(document_.m_, w.editor) + w.start);
    for (const Text &t : backgrounds_)
        document_.m_.ScreenBackground[size_t(t.screen)] = t.before;
    document_.notify(changes_);
}

void Document::Edit::watch(bool editor, int start, int count)
{
    const int16_t *image = wordsOf(document_.m_, editor);
    words_.push_back({editor, start, std::vector<int16_t>(image + start, image + start + count), {}});
}

Document::Edit &Document::Edit::Object(int screen, ObjectTables::ObjectKind kind, int slot)
{
    screen = clampScreen(screen);
    slot = std::clamp(slot, 0, ObjectTables::SlotCount(kind) - 1);
    const modVantile::RecordSpan span = document_.m_.ObjectRecord(screen, kind, slot);
    watch(false, span.panelWord, span.panelSize);
    if (span.editorSize > 0)
        watch(true, span.editorWord, span.editorSize);
    changes_.push_back({DocumentChange::Scope::Object, screen, kind, slot});
    return *this;
}

Document::Edit &Document::Edit::Screen(int screen)
{
    screen = clampScreen(screen);
    watch(false, screen * modVantile::PanelBlockWords, modVantile::PanelBlockWords);
    watch(true, screen * modVantile::EditorBlockWords, modVantile::EditorBlockWords);
    backgrounds_.push_back({screen, document_.m_.ScreenBackground[size_t(screen)], {}});
    changes_.push_back({DocumentChange::Scope::Screen, screen, {}, -1});
    if (screen == 0)
        changes_.push_back({DocumentChange::Scope::Options, -1, {}, -1});
    return *this;
}

Document::Edit &Document::Edit::Options()
{
    watch(false, modVantile::LayoutWord, modVantile::CommandSetWord - modVantile::LayoutWord + 1);
    changes_.push_back({DocumentChange::Scope::Options, -1, {}, -1});
    return *this;
}

Document::Edit &Document::Edit::Background(int screen)
{
    screen = clampScreen(screen);
    backgrounds_.push_back({screen, document_.m_.ScreenBackground[size_t(screen)], {}});
    changes_.push_back({DocumentChange::Scope::Background, screen, {}, -1});
    return *this;
}

Document::Edit &Document::Edit::MergeId(int id)
{
    mergeId_ = id;
    return *this;
}

bool Document::Edit::Commit()
{
    if (committed_)
        return false;
    committed_ = true;
#ifndef NDEBUG
    checkUnwatched();
#endif
    std::vector<ImageCommand::Words> words;
    words.reserve(words_.size());
    const int16_t *panel = document_.m_.PanelImage.data();
    const int16_t *editor = document_.m_.EditorImage.data();
    for (Words &w : words_) {
        const int16_t *image = w.editor ? editor : panel;
        w.after.assign(image + w.start, image + w.start + int(w.before.size()));
        words.push_back({w.editor, w.start, std::move(w.before), std::move(w.after)});
    }
    std::vector<ImageCommand::Text> backgrounds;
    for (Text &t : backgrounds_)
        backgrounds.push_back({t.screen, std::move(t.before), document_.m_.ScreenBackground[size_t(t.screen)]});
    auto command =
        std::make_unique<ImageCommand>(document_, text_, std::move(words), std::move(backgrounds), changes_, mergeId_);
    if (!command->changed()) {
        document_.notify(changes_);
        return false;
    }
    // Pushing runs redo(): it writes the same words again and tells the views.
    document_.stack_.push(command.release());
    return true;
}

QString ScreenName(int screen)
{
    return screen == 0 ? QStringLiteral("Home") : QStringLiteral("%1").arg(screen, 2, 10, QLatin1Char('0'));
}
