// The real desktop on Qt Widgets and Qt Multimedia.
#include "ZefQtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TZefMsgButton, QMessageBox::StandardButton>, 7> kButtons{{
    {mbOk, QMessageBox::Ok},
    {mbCancel, QMessageBox::Cancel},
    {mbYes, QMessageBox::Yes},
    {mbNo, QMessageBox::No},
    {mbAbort, QMessageBox::Abort},
    {mbRetry, QMessageBox::Retry},
    {mbIgnore, QMessageBox::Ignore},
}};

QMessageBox::Icon QtIcon(TZefMsgIcon icon)
{
    switch (icon) {
    case TZefMsgIcon::miInformation: return QMessageBox::Information;
    case TZefMsgIcon::miQuestion: return QMessageBox::Question;
    case TZefMsgIcon::miWarning: return QMessageBox::Warning;
    case TZefMsgIcon::miError: return QMessageBox::Critical;
    case TZefMsgIcon::miNone: break;
    }
    return QMessageBox::NoIcon;
}

QClipboard::Mode QtClipboardMode(TZefClipboardMode mode)
{
    return mode == TZefClipboardMode::cmSelection ? QClipboard::Selection : QClipboard::Clipboard;
}

QWidget* DialogParent()
{
    return QApplication::activeWindow();
}

// Gives the window that was active before a modal window back its activation when that one closes. A
// window manager does this itself; without one (a bare X server, a kiosk session) no window would be active
// afterwards, and the main window's shortcuts (Ctrl+S, Alt+F) would stay dead while typing still reached
// the editor.
class TReactivateOwner {
public:
    TReactivateOwner() : owner_(Owner()) {}
    TReactivateOwner(const TReactivateOwner&) = delete;
    TReactivateOwner& operator=(const TReactivateOwner&) = delete;
    ~TReactivateOwner()
    {
        if (owner_ && owner_->isVisible() && QApplication::activeWindow() == nullptr) owner_->activateWindow();
    }

private:
    // The active window, or while an activation asked for a moment ago is still on its way (one modal
    // window right after another), the application's visible top-level window that is no dialog.
    static QWidget* Owner()
    {
        if (QWidget* active = QApplication::activeWindow()) return active;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->parentWidget() == nullptr && qobject_cast<QDialog*>(top) == nullptr) return top;
        }
        return nullptr;
    }

    QPointer<QWidget> owner_;
};

// On the offscreen platform nobody can answer a modal window, so a test that reaches one without a scripted
// desktop would wait forever; it stops here with the request instead. ZEFRA_ALLOW_OFFSCREEN_DIALOGS=1
// lifts the check for tests that close real dialogs themselves.
void RequireSomeoneToAnswer(const QString& what)
{
    if (QGuiApplication::platformName() != QStringLiteral("offscreen") ||
        qEnvironmentVariableIntValue("ZEFRA_ALLOW_OFFSCREEN_DIALOGS") != 0)
        return;
    qFatal("Modal %s on the offscreen platform: install a TZefScriptedDesktop to answer it",
           qPrintable(what));
}

} // namespace

TZefQtDesktop::~TZefQtDesktop()
{
    // The player belongs to the application object; if that still exists, stop the sound with us.
    delete player_.data();
}

void TZefQtDesktop::Beep(TZefBeepKind)
{
    // Qt offers one alert sound; the kinds differ only on desktops that map them to distinct sounds.
    QApplication::beep();
}

TZefMsgButton TZefQtDesktop::ShowMessageBox(const TZefMessageBox& box)
{
    RequireSomeoneToAnswer(QStringLiteral("message box \"%1\": %2").arg(box.caption, box.text));
    const TReactivateOwner reactivate;
    QMessageBox messageBox(QtIcon(box.icon), box.caption, box.text, QMessageBox::NoButton, DialogParent());
    TZefMsgButton first = mbNone;
    for (const auto& [ours, theirs] : kButtons) {
        if ((box.buttons & ours) == 0)
            continue;
        messageBox.addButton(theirs);
        if (first == mbNone)
            first = ours;
    }
    if (first == mbNone) {
        messageBox.addButton(QMessageBox::Ok);
        first = mbOk;
    }
    const TZefMsgButton preferred = box.defaultButton != mbNone && (box.buttons & box.defaultButton) != 0
                                        ? box.defaultButton
                                        : first;
    for (const auto& [ours, theirs] : kButtons)
        if (ours == preferred)
            messageBox.setDefaultButton(theirs);
    if ((box.buttons & mbCancel) != 0)
        messageBox.setEscapeButton(QMessageBox::Cancel);
    messageBox.exec();
    QAbstractButton* clicked = messageBox.clickedButton();
    const QMessageBox::StandardButton pressed = messageBox.standardButton(clicked);
    for (const auto& [ours, theirs] : kButtons)
        if (theirs == pressed)
            return ours;
    return (box.buttons & mbCancel) != 0 ? mbCancel : first;
}

std::optional<QString> TZefQtDesktop::InputQuery(const QString& caption, const QString& prompt,
                                                 const QString& initial)
{
    RequireSomeoneToAnswer(QStringLiteral("input prompt \"%1\": %2").arg(caption, prompt));
    bool ok = false;
    const TReactivateOwner reactivate;
    QString text = QInputDialog::getText(DialogParent(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList ZefApplyNameFilters(QFileDialog& fileDialog, const TZefFileDialog& dialog)
{
    // Extensions match in any case, as on the desktop the filters were written for ("*.htm" lists
    // PAGE.HTM): the platform's own dialogs compare case-sensitively, so the built-in one is used, told to
    // ignore case.
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.setFilter(fileDialog.filter() & ~QDir::CaseSensitive);
    const QStringList filters = ZefQtNameFilters(dialog.filter);
    if (!filters.isEmpty()) {
        fileDialog.setNameFilters(filters);
        const int index = dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size() ? dialog.filterIndex : 1;
        fileDialog.selectNameFilter(filters[index - 1]);
    }
    return filters;
}

std::optional<TZefFileChoice> TZefQtDesktop::RunFileDialog(const TZefFileDialog& dialog, bool save)
{
    RequireSomeoneToAnswer(QStringLiteral("file dialog \"%1\"").arg(dialog.caption));
    const TReactivateOwner reactivate;
    QFileDialog fileDialog(DialogParent(), dialog.caption, dialog.folder);
    fileDialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        fileDialog.setFileMode(QFileDialog::AnyFile);
    else
        fileDialog.setFileMode(dialog.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (save && !dialog.overwritePrompt)
        fileDialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!dialog.defaultExtension.isEmpty())
        fileDialog.setDefaultSuffix(dialog.defaultExtension);
    const QStringList filters = ZefApplyNameFilters(fileDialog, dialog);
    if (!dialog.fileName.isEmpty())
        fileDialog.selectFile(dialog.fileName);
    if (fileDialog.exec() != QDialog::Accepted)
        return std::nullopt;
    TZefFileChoice choice;
    for (const QString& file : fileDialog.selectedFiles())
        choice.files.append(QFileInfo(file).absoluteFilePath());
    if (choice.files.isEmpty())
        return std::nullopt;
    const qsizetype chosen = filters.indexOf(fileDialog.selectedNameFilter());
    choice.filterIndex = chosen >= 0 ? static_cast<int>(chosen) + 1 : dialog.filterIndex;
    return choice;
}

std::optional<TZefFileChoice> TZefQtDesktop::OpenFileDialog(const TZefFileDialog& dialog)
{
    return RunFileDialog(dialog, false);
}

std::optional<TZefFileChoice> TZefQtDesktop::SaveFileDialog(const TZefFileDialog& dialog)
{
    return RunFileDialog(dialog, true);
}

std::optional<QFont> TZefQtDesktop::FontDialog(const QString& caption, const QFont& initial)
{
    RequireSomeoneToAnswer(QStringLiteral("font dialog"));
    bool ok = false;
    const TReactivateOwner reactivate;
    QFont font = QFontDialog::getFont(&ok, initial, DialogParent(), caption);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> TZefQtDesktop::ColorDialog(const QString& caption, const QColor& initial)
{
    RequireSomeoneToAnswer(QStringLiteral("colour dialog"));
    const TReactivateOwner reactivate;
    const QColor color = QColorDialog::getColor(initial, DialogParent(), caption);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

bool TZefQtDesktop::ShellOpen(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TZefQtDesktop::PlaySoundAsync(const QString& wavPath)
{
    if (!QFileInfo(wavPath).isFile()) {
        Beep(TZefBeepKind::bkDefault);
        return;
    }
    if (player_.isNull()) {
        player_ = new QSoundEffect(QCoreApplication::instance());
        QSoundEffect* player = player_.data();
        QObject::connect(player, &QSoundEffect::statusChanged, player, [player] {
            if (player->status() == QSoundEffect::Error)
                QApplication::beep();
        });
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(QFileInfo(wavPath).absoluteFilePath()));
    player_->play();
}

int TZefQtDesktop::ExecDialog(QDialog& dialog)
{
    RequireSomeoneToAnswer(QStringLiteral("dialog \"%1\"").arg(dialog.windowTitle()));
    const TReactivateOwner reactivate;
    return dialog.exec();
}

bool TZefQtDesktop::SupportsClipboard(TZefClipboardMode mode) const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    return mode == TZefClipboardMode::cmClipboard || clipboard->supportsSelection();
}

bool TZefQtDesktop::SetClipboardData(TZefClipboardMode mode, QMimeData* data)
{
    if (!SupportsClipboard(mode)) {
        delete data;
        return false;
    }
    QGuiApplication::clipboard()->setMimeData(data, QtClipboardMode(mode));
    return QGuiApplication::clipboard()->mimeData(QtClipboardMode(mode)) != nullptr;
}

const QMimeData* TZefQtDesktop::ClipboardData(TZefClipboardMode mode)
{
    if (!SupportsClipboard(mode)) return nullptr;
    return QGuiApplication::clipboard()->mimeData(QtClipboardMode(mode));
}
