// The document window: loading, saving, the save question, Reload, line marks and the two popup menus.
#include "frmEditor.h"

#include "RecentFiles.h"
#include "TEditor.h"
#include "UntitledNumbers.h"
#include "ZefAppInfo.h"
#include "ZefDesktop.h"
#include "ZefEdit.h"
#include "ZefEditMarks.h"
#include "ZefEditTextBuffer.h"
#include "ZefFilePath.h"
#include "ZefLoadError.h"
#include "ZefLongWork.h"
#include "ZefPrintShortcut.h"
#include "ZefRtfReader.h"
#include "ZefSearchFlow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include <exception>
#include <stdexcept>

namespace {

// A right click closer than this to the editor's left border toggles a line mark instead of the popup menu.
constexpr int LineMarkClickWidth = 57;

QColor BackgroundColor(bool cream) { return cream ? QColor(255, 251, 240) : QColor(Qt::white); }

} // namespace

TEditorForm::TEditorForm(QWidget* parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Laid out for 120 dots per inch; scaled to the screen.
    const double scale = logicalDpiX() / 120.0;
    setGeometry(static_cast<int>(296 * scale), static_cast<int>(222 * scale), static_cast<int>(357 * scale),
                static_cast<int>(105 * scale));

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ZefEditor = new TZefEdit(client);
    ZefEditor->setObjectName(QStringLiteral("ZefEditor"));
    ZefEditor->setFont(QFont(QStringLiteral("Courier New"), 10));
    ZefEditor->SetColor(clWhite);
    // The background is always white or cream, whatever the desktop's theme: so is the default text black.
    ZefEditor->SetFontColor(clBlack);
    ZefEditor->SetWantTabs(true);
    // Lines of any length stay editable: the width limit follows the text instead of stopping typing.
    ZefEditor->SetOptions(ZefEditor->Options().With(eoAutoSizeMaxLineWidth));
    ZefEditor->Gutter().SetAutoSize(true);
    RemoveDocumentEditorKeystrokes(ZefEditor->Keystrokes());
    ZefEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    ZefEditor->hide();
    layout->addWidget(ZefEditor);
    Search = std::make_unique<TZefEditorSearch>(ZefEditor, this);

    RichEdit1 = new QTextEdit(client);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    RichEdit1->hide();
    layout->addWidget(RichEdit1);
    setWidget(client);

    BuildMenus();
    ConnectEditorEvents();

    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if ((newState & Qt::WindowActive) && !(oldState & Qt::WindowActive))
                    SetCommandTargets(true);
            });
}

TEditorForm::~TEditorForm()
{
    // The controls outlive this body (Qt deletes children later): stop their callbacks into this object.
    ZefEditor->removeEventFilter(this);
    ZefEditor->viewport()->removeEventFilter(this);
    RichEdit1->viewport()->removeEventFilter(this);
    ZefEditor->OnChange = nullptr;
    ZefEditor->OnReplaceText = nullptr;
    ZefEditor->OnStatusChange = nullptr;
    ZefEditor->OnScroll = nullptr;
    Detach();
}

void TEditorForm::BuildMenus()
{
    pmnuEditor = new QMenu(this);
    QAction* cut = pmnuEditor->addAction(QStringLiteral("Cut"), this, [this] { Editor->ExecCut(); });
    QAction* copy = pmnuEditor->addAction(QStringLiteral("Copy"), this, [this] { Editor->ExecCopy(); });
    QAction* paste = pmnuEditor->addAction(QStringLiteral("Paste"), this, [this] { Editor->ExecPaste(); });
    QAction* del = pmnuEditor->addAction(QStringLiteral("Delete"), this, [this] { Editor->ExecDelete(); });
    QAction* all = pmnuEditor->addAction(QStringLiteral("Select All"), this, [this] { Editor->ExecSelectAll(); });
    pmnuEditor->addSeparator();
    miReload = pmnuEditor->addAction(QStringLiteral("Reload"), this, [this] {
        try {
            Reload();
        } catch (const EZefWorkCancelled&) {
            // Stopped by the user: the text stays as it was.
        } catch (const std::exception& error) {
            ZefDesktop().Beep(TZefBeepKind::bkError);
            ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), ZefLoadErrorText(error, Editor->FileName));
        }
    });
    pmnuEditor->addAction(QStringLiteral("Repaint"), this, [this] { ZefEditor->viewport()->update(); });
    pmnuEditor->addSeparator();
    miPrintSelection = pmnuEditor->addAction(QStringLiteral("Print Selected Text"), this, [this] {
        if (Editor && ZefEditor->HasSelection())
            Editor->ExecPrint(true);
    });
    connect(pmnuEditor, &QMenu::aboutToShow, this, [=, this] {
        cut->setEnabled(Editor && Editor->CanCut());
        copy->setEnabled(Editor && Editor->CanCopy());
        paste->setEnabled(Editor && Editor->CanPaste());
        del->setEnabled(Editor && Editor->CanDelete());
        all->setEnabled(Editor && Editor->CanSelectAll());
        miPrintSelection->setEnabled(Editor && Editor->CanPrint() && ZefEditor->HasSelection());
        RefreshReloadEnabled();
    });

    pmnuRich = new QMenu(this);
    pmnuRich->addAction(QStringLiteral("Close"), this, [this] {
        if (Editor)
            Editor->Close();
    });
    pmnuRich->addAction(QStringLiteral("Edit"), this, [this] {
        if (Editor)
            ZefDesktop().ShellOpen(Editor->FileName);
    });
    pmnuRich->addAction(QStringLiteral("Select All"), RichEdit1, &QTextEdit::selectAll);
    miRichCopy = pmnuRich->addAction(QStringLiteral("Copy"), RichEdit1, &QTextEdit::copy);
    miRichCopy->setEnabled(false);
    connect(RichEdit1, &QTextEdit::copyAvailable, miRichCopy, &QAction::setEnabled);
    RichEdit1->viewport()->installEventFilter(this);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { pmnuRich->popup(RichEdit1->mapToGlobal(pos)); });
    connect(ZefEditor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowEditorMenu(ZefEditor->mapToGlobal(pos)); });
}

void TEditorForm::RefreshReloadEnabled()
{
    miReload->setEnabled(Editor && !richText_ && !Editor->FileName.isEmpty() && ZefIsRegularFile(Editor->FileName));
}

void TEditorForm::ShowEditorMenu(const QPoint& globalPos)
{
    if (suppressPopup_) {
        suppressPopup_ = false;
        return;
    }
    pmnuEditor->popup(globalPos);
}

void TEditorForm::ConnectEditorEvents()
{
    ZefEditor->installEventFilter(this);
    ZefEditor->viewport()->installEventFilter(this);
    ZefEditor->OnChange = [this](TCustomZefEdit*) {
        if (!Editor)
            return;
        bool empty = true;
        const TZefEditStringList& lines = *ZefEditor->Lines();
        for (int i = 0; i < lines.Count() && empty; ++i)
            empty = lines.GetLine(i).empty();
        Editor->IsEmpty = empty;
    };
    ZefEditor->OnStatusChange = [this](TCustomZefEdit*, TZefStatusChanges changes) {
        // A read-only switch arrives as scReadOnly alone; the mirror must follow it too.
        if (Editor && (changes & (scAll | scSelection | scReadOnly))) {
            Editor->HasSelection = ZefEditor->HasSelection();
            Editor->IsReadOnly = ZefEditor->ReadOnly();
        }
        if (Editor && (changes & (scAll | scModified)))
            Editor->Modified = ZefEditor->Modified();
        if (repaintRequested_) {
            ZefEditor->viewport()->update();
            repaintRequested_ = false;
        }
    };
    ZefEditor->OnScroll = [this](TCustomZefEdit*, Qt::Orientation) { ZefEditor->viewport()->update(); };
}

bool TEditorForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RichEdit1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            miRichCopy->setEnabled(RichEdit1->textCursor().hasSelection());
        return false;
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == ZefEditor)
            SetCommandTargets(true);
        break;
    case QEvent::ShortcutOverride:
        if (watched == ZefEditor && ZefEditorClaimsPrintKey(*ZefEditor, *static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            repaintRequested_ = true;
        break;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        suppressPopup_ = false;
        const int x = ZefEditor->mapFromGlobal(mouse->globalPosition().toPoint()).x();
        if (mouse->button() != Qt::LeftButton && ZefEditor->Gutter().ShowLineNumbers() && x < LineMarkClickWidth) {
            suppressPopup_ = true;
            ToggleLineMark();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TEditorForm::SetCommandTargets(bool active)
{
    if (!Editor)
        return;
    if (active) {
        if (detached_)
            return;
        ActiveEditor = Editor;
        ActiveEditCommands = Editor;
        ActiveFileCommands = Editor;
        ActiveSearchCommands = Editor;
        return;
    }
    if (ActiveEditor.get() == static_cast<IEditor*>(Editor.get()))
        ActiveEditor.reset();
    if (ActiveEditCommands.get() == static_cast<IEditCommands*>(Editor.get()))
        ActiveEditCommands.reset();
    if (ActiveFileCommands.get() == static_cast<IFileCommands*>(Editor.get()))
        ActiveFileCommands.reset();
    if (ActiveSearchCommands.get() == static_cast<ISearchCommands*>(Editor.get()))
        ActiveSearchCommands.reset();
}

void TEditorForm::DoLoadFile(const QString& path)
{
    Editor->FileName = path;
    disk_.Forget();
    // Only a file known not to exist gives an empty document; any other stat failure is left for the read to
    // report, so an existing file never shows as empty.
    if (!path.isEmpty() && !ZefStatFile(path).Missing()) {
        miReload->setEnabled(true);
        if (path.right(4).toLower() == QStringLiteral(".rtf")) {
            RichEdit1->clear();
            RichEdit1->setFont(ZefEditor->font());
            QString error;
            const std::optional<QByteArray> bytes = ZefReadWholeFile(path, &error);
            if (!bytes)
                throw std::runtime_error(error.toLocal8Bit().toStdString());
            ZefReadRtf(*RichEdit1->document(), std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
            QPalette palette = RichEdit1->palette();
            palette.setColor(QPalette::Base, BackgroundColor(DocumentsUseCream()));
            palette.setColor(QPalette::Text, Qt::black);
            RichEdit1->setPalette(palette);
            richText_ = true;
            ZefEditor->SetReadOnly(true);
            Editor->IsReadOnly = true;
            ZefEditor->hide();
            RefreshCaption();
            RichEdit1->show();
            RichEdit1->setFocus();
            return;
        }
        {
            TZefLongWork work(QStringLiteral("Loading %1...").arg(Editor->GetTitle()), true);
            ZefEditor->Lines()->LoadFromFile(ZefPathToStdString(path), work.Progress());
        }
        ZefEditor->FitMaxLineWidthToLongestLine();
        disk_.Take(path);
    } else {
        ZefEditor->Lines()->ClearAll();
        // A new text is written with this system's line break; a loaded file keeps the style it was read with.
        ZefEditor->Lines()->SetLineBreakStyle(lbsLF);
        miReload->setEnabled(false);
    }
    RefreshCaption();
    RefreshHighlighter();
    ZefEditor->SetColor(DocumentsUseCream() ? ZefCreamColor : clWhite);
    ZefEditor->Gutter().SetWidth(0);
    ZefEditor->show();
    ZefEditor->setFocus();
    if (ZefEditor->OnChange)
        ZefEditor->OnChange(ZefEditor);
}

void TEditorForm::RefreshCaption()
{
    if (Editor)
        setWindowTitle(Editor->GetTitle() + QStringLiteral(" - Editor"));
}

bool TEditorForm::QuerySaveChanges()
{
    if (!ZefEditor->Modified())
        return true;
    raise();
    ZefDesktop().Beep(TZefBeepKind::bkQuestion);
    TZefMessageBox box;
    box.caption = QString::fromLatin1(ZefAppTitle);
    box.icon = TZefMsgIcon::miQuestion;
    box.buttons = mbYes | mbNo | mbCancel;
    box.text = QStringLiteral("The text in the \"%1\" file has changed.\r\n\r\nDo you want to save the modifications?")
                   .arg(Editor->GetTitle());
    switch (ZefDesktop().ShowMessageBox(box)) {
    case mbYes:
        return SaveDocument();
    case mbNo:
        return true;
    default:
        return false;
    }
}

bool TEditorForm::CloseQuery()
{
    if (tearingDown_)
        return true;
    const bool answer = QuerySaveChanges();
    ReallyClosing = answer;
    return answer;
}

void TEditorForm::closeEvent(QCloseEvent* event)
{
    // A formatter run holds the text until it installs its result.
    if (formatting_) {
        event->ignore();
        return;
    }
    if (!detached_ && !CloseQuery()) {
        event->ignore();
        return;
    }
    if (Editor && !Editor->FileName.isEmpty() && EditorServices.RecentFiles)
        EditorServices.RecentFiles->AddRecentFile(Editor->FileName);
    Detach();
    QMdiSubWindow::closeEvent(event);
}

void TEditorForm::showEvent(QShowEvent* event)
{
    // The form is shown before its file is loaded; asking for the title now would give a document that is
    // about to get a file name an untitled number. Loading captions it in any case.
    if (!Editor->FileName.isEmpty() || Editor->UntitledNumber != -1) RefreshCaption();
    QMdiSubWindow::showEvent(event);
}

void TEditorForm::Detach()
{
    if (detached_)
        return;
    detached_ = true;
    SetCommandTargets(false);
    if (!Editor)
        return;
    Editor->Form = nullptr;
    if (EditorFactory)
        EditorFactory->RemoveEditor(Editor.get());
}

bool TEditorForm::SaveDocument()
{
    return Editor->FileName.isEmpty() ? SaveDocumentAs() : WriteFile();
}

bool TEditorForm::WriteFile()
{
    if (disk_.ChangedOnDisk(Editor->FileName)) {
        ZefDesktop().Beep(TZefBeepKind::bkWarning);
        TZefMessageBox box;
        box.caption = QString::fromLatin1(ZefAppTitle);
        box.icon = TZefMsgIcon::miWarning;
        box.buttons = mbYes | mbNo;
        box.defaultButton = mbNo;
        box.text = QStringLiteral("%1 was changed by another program since it was opened. Overwrite it?")
                       .arg(Editor->GetTitle());
        if (ZefDesktop().ShowMessageBox(box) != mbYes)
            return false;
    }
    return WriteFileTo(Editor->FileName);
}

bool TEditorForm::WriteFileTo(const QString& path)
{
    try {
        TZefLongWork work(QStringLiteral("Saving %1...").arg(QFileInfo(path).fileName()), true);
        ZefEditor->Lines()->SaveToFile(ZefPathToStdString(path), work.Progress());
    } catch (const EZefWorkCancelled&) {
        return false; // the file on disk is as it was, the text still modified
    } catch (const std::exception& error) {
        ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle), QString::fromLocal8Bit(error.what()));
        return false;
    }
    miReload->setEnabled(true);
    ZefEditor->SetModified(false);
    Editor->Modified = false;
    disk_.Take(path);
    return true;
}

std::shared_ptr<IEditor> TEditorForm::OtherDocumentOf(const QString& path) const
{
    if (!EditorFactory)
        return nullptr;
    for (int i = 0; i < EditorFactory->GetEditorCount(); ++i) {
        std::shared_ptr<IEditor> other = EditorFactory->GetEditor(i);
        if (other && other.get() != static_cast<IEditor*>(Editor.get()) && ZefSameFile(other->GetFileName(), path))
            return other;
    }
    return nullptr;
}

std::optional<QString> TEditorForm::AskSaveFileName()
{
    const QString name = Editor->FileName.isEmpty() ? Editor->GetTitle() : Editor->FileName;
    TZefFileDialog dialog;
    // The dialog speaks Unicode only: it is shown the name as decoded for display.
    dialog.folder = ZefDisplayPath(ZefFolderOf(name));
    dialog.fileName = ZefDisplayPath(ZefFileNameOf(name));
    dialog.filter = SaveAsFilter();
    for (;;) {
        const std::optional<TZefFileChoice> choice = ZefDesktop().SaveFileDialog(dialog);
        if (!choice || choice->files.isEmpty())
            return std::nullopt;
        const QString chosen = choice->files.first();
        const QString shown = ZefDisplayPath(chosen);
        if (ZefPathLostBytes(chosen)) {
            ZefDesktop().Beep(TZefBeepKind::bkError);
            ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle),
                                  QStringLiteral("\"%1\" cannot be saved from this dialog: a name in this path is "
                                                 "not valid UTF-8. Choose another folder or name.")
                                      .arg(shown));
            continue;
        }
        if (const std::shared_ptr<IEditor> other = OtherDocumentOf(chosen)) {
            ZefDesktop().Beep(TZefBeepKind::bkError);
            ZefDesktop().ErrorBox(QString::fromLatin1(ZefAppTitle),
                                  QStringLiteral("\"%1\" is already open in the document \"%2\". Close that document "
                                                 "first or choose another name.")
                                      .arg(shown, ZefDisplayPath(other->GetFileName())));
            return std::nullopt;
        }
        if (ZefFileExists(chosen)) {
            TZefMessageBox box;
            box.caption = QString::fromLatin1(ZefAppTitle);
            box.icon = TZefMsgIcon::miWarning;
            box.buttons = mbYes | mbNo;
            box.defaultButton = mbNo;
            box.text = QStringLiteral("%1 already exists. Do you want to replace it?").arg(ZefFileNameOf(shown));
            if (ZefDesktop().ShowMessageBox(box) != mbYes) {
                dialog.folder = ZefFolderOf(chosen);
                dialog.fileName = ZefFileNameOf(chosen);
                continue;
            }
        }
        return chosen;
    }
}

bool TEditorForm::SaveDocumentAs()
{
    const std::optional<QString> chosen = AskSaveFileName();
    if (!chosen)
        return false;
    // The document takes the new name only once the text is written there: a failed save leaves it (and its
    // tab) as it was.
    if (!WriteFileTo(*chosen))
        return false;
    if (*chosen != Editor->FileName) {
        Editor->FileName = *chosen;
        Editor->ReleaseUntitledNumber();
    }
    RefreshCaption();
    RefreshHighlighter();
    return true;
}

void TEditorForm::Reload()
{
    if (Editor->FileName.isEmpty())
        return;
    // Read into a store of its own first: a file that is gone or unreadable leaves the text, the modified
    // flag and the undo history untouched.
    TZefEditStringList fresh;
    fresh.SetTrailingLineBreak(ZefEditor->Lines()->TrailingLineBreak());
    {
        TZefLongWork work(QStringLiteral("Loading %1...").arg(Editor->GetTitle()), true);
        fresh.LoadFromFile(ZefPathToStdString(Editor->FileName), work.Progress());
    }
    const TBufferCoord caret = ZefEditor->CaretPos();
    const int topLine = ZefEditor->TopVisibleLine();
    // One undo step, so Undo brings back the text as it was before, edits included.
    ZefEditor->ReplaceAllLines(fresh);
    ZefEditor->FitMaxLineWidthToLongestLine();
    ZefEditor->SetModified(false);
    Editor->Modified = false;
    disk_.Take(Editor->FileName);
    ZefEditor->SetCaretPos(caret);
    ZefEditor->SetTopVisibleLine(topLine);
    ZefEditor->setFocus();
}

void TEditorForm::ToggleLineMark()
{
    const int line = ZefEditor->CaretPos().Line;
    const int number = ZefEditor->Gutter().ZeroStart() ? line - 1 : line;
    QComboBox* list = EditorServices.MarkNumberList;
    bool marked = false;
    for (TZefEditMark* mark : ZefEditor->Marks()->MarksForLine(line))
        marked = marked || (mark && !mark->IsBookmark());
    if (marked) {
        ZefEditor->Marks()->ClearLineMarks(line);
        auto& marks = Editor->MarkedLines;
        for (auto it = marks.begin(); it != marks.end(); ++it) {
            if (*it == number) {
                marks.erase(it);
                break;
            }
        }
        if (list) {
            const int index = list->findText(QString::number(number));
            if (index >= 0)
                list->removeItem(index);
            if (list->count() > 0)
                list->setCurrentIndex(0);
        }
        return;
    }
    auto mark = std::make_unique<TZefEditMark>(ZefEditor);
    mark->SetMarkLine(line);
    mark->SetMarkChar(ZefEditor->CaretPos().Char);
    mark->SetGlyphIndex(0);
    mark->SetShown(true);
    ZefEditor->Marks()->AddMark(std::move(mark));
    Editor->MarkedLines.push_back(number);
    if (list) {
        list->insertItem(0, QString::number(number));
        list->setCurrentIndex(0);
    }
}
