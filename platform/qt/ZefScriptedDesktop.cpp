// The scripted desktop: answer queues, the request log and its one-line-per-request dump.
#include "ZefScriptedDesktop.h"

#include <QDialog>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TZefMsgButton, const char*>, 7> kButtonNames{{
    {mbOk, "ok"}, {mbYes, "yes"}, {mbNo, "no"}, {mbCancel, "cancel"},
    {mbAbort, "abort"}, {mbRetry, "retry"}, {mbIgnore, "ignore"},
}};

const char* BeepName(TZefBeepKind kind)
{
    switch (kind) {
    case TZefBeepKind::bkDefault: return "default";
    case TZefBeepKind::bkQuestion: return "question";
    case TZefBeepKind::bkError: return "error";
    case TZefBeepKind::bkInformation: return "information";
    case TZefBeepKind::bkWarning: return "warning";
    }
    return "?";
}

const char* IconName(TZefMsgIcon icon)
{
    switch (icon) {
    case TZefMsgIcon::miNone: return "none";
    case TZefMsgIcon::miInformation: return "information";
    case TZefMsgIcon::miQuestion: return "question";
    case TZefMsgIcon::miWarning: return "warning";
    case TZefMsgIcon::miError: return "error";
    }
    return "?";
}

const char* RequestName(TZefDesktopRequest request)
{
    switch (request) {
    case TZefDesktopRequest::drBeep: return "beep";
    case TZefDesktopRequest::drMessageBox: return "message";
    case TZefDesktopRequest::drInput: return "input";
    case TZefDesktopRequest::drOpenFile: return "open";
    case TZefDesktopRequest::drSaveFile: return "save";
    case TZefDesktopRequest::drFont: return "font";
    case TZefDesktopRequest::drColor: return "color";
    case TZefDesktopRequest::drShellOpen: return "shell";
    case TZefDesktopRequest::drSound: return "sound";
    case TZefDesktopRequest::drDialog: return "dialog";
    }
    return "?";
}

// Quoted, with line breaks made visible so that one request stays on one dump line.
QString Quoted(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + result + QLatin1Char('"');
}

QString FontText(const QFont& font)
{
    return Quoted(font.family()) + QLatin1Char(' ') + QString::number(font.pointSize());
}

QString FileDetail(const TZefFileDialog& dialog)
{
    return QStringLiteral("folder=%1 name=%2 filter=%3 index=%4")
        .arg(Quoted(dialog.folder), Quoted(dialog.fileName), Quoted(dialog.filter))
        .arg(dialog.filterIndex);
}

QString ChoiceText(const std::optional<TZefFileChoice>& choice)
{
    if (!choice)
        return QStringLiteral("cancel");
    QStringList files;
    for (const QString& file : choice->files)
        files.append(Quoted(file));
    return files.join(QLatin1Char(' ')) + QStringLiteral(" index=") + QString::number(choice->filterIndex);
}

const QString kUnscripted = QStringLiteral("UNSCRIPTED");

} // namespace

QString ZefMsgButtonsText(TZefMsgButtons buttons)
{
    QStringList names;
    for (const auto& [button, name] : kButtonNames)
        if ((buttons & button) != 0)
            names.append(QLatin1String(name));
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char('|'));
}

TZefScriptedDesktop::TZefScriptedDesktop()
    : unscripted_([](const QString& description) {
          throw EZefUnscriptedRequest(("no scripted answer for " + description).toStdString());
      })
{
}

// Line forms, answer after "->":
//   beep question
//   message "caption" "text" question yes|no|cancel -> yes
//   input "caption" "prompt" "initial" -> "typed" | cancel
//   open "caption" folder="..." name="..." filter="..." index=1 -> "file" index=1 | cancel   (save alike)
//   font "caption" "Courier New" 10 -> "Arial" 12 | cancel
//   color "caption" #ffffff -> #ff0000 | cancel
//   shell "path" -> true | false
//   sound "path"
//   dialog "caption" -> 1   (the dialog's result code)
QStringList TZefScriptedDesktop::MessageTexts() const
{
    QStringList texts;
    for (const TZefDesktopCall& call : calls_) {
        if (call.request == TZefDesktopRequest::drMessageBox) texts << call.text;
    }
    return texts;
}

QString TZefScriptedDesktop::DebugDump() const
{
    QString dump;
    for (const TZefDesktopCall& call : calls_) {
        QString line = QLatin1String(RequestName(call.request));
        switch (call.request) {
        case TZefDesktopRequest::drBeep:
            line += QLatin1Char(' ') + QLatin1String(BeepName(call.beep));
            break;
        case TZefDesktopRequest::drMessageBox:
            line += QStringLiteral(" %1 %2 %3 %4").arg(Quoted(call.caption), Quoted(call.text),
                                                       QLatin1String(IconName(call.icon)),
                                                       ZefMsgButtonsText(call.buttons));
            break;
        case TZefDesktopRequest::drInput:
            line += QStringLiteral(" %1 %2 %3").arg(Quoted(call.caption), Quoted(call.text), Quoted(call.detail));
            break;
        case TZefDesktopRequest::drOpenFile:
        case TZefDesktopRequest::drSaveFile:
        case TZefDesktopRequest::drFont:
        case TZefDesktopRequest::drColor:
            line += QLatin1Char(' ') + Quoted(call.caption) + QLatin1Char(' ') + call.detail;
            break;
        case TZefDesktopRequest::drDialog:
            line += QLatin1Char(' ') + Quoted(call.caption);
            break;
        case TZefDesktopRequest::drShellOpen:
        case TZefDesktopRequest::drSound:
            line += QLatin1Char(' ') + Quoted(call.text);
            break;
        }
        if (!call.answer.isEmpty())
            line += QStringLiteral(" -> ") + call.answer;
        dump += line + QLatin1Char('\n');
    }
    return dump;
}

std::size_t TZefScriptedDesktop::PendingAnswers() const
{
    return messageAnswers_.size() + inputAnswers_.size() + openAnswers_.size() + saveAnswers_.size() +
           fontAnswers_.size() + colorAnswers_.size() + shellAnswers_.size() +
           dialogAnswers_.size();
}

void TZefScriptedDesktop::Unscripted(TZefDesktopCall call, const QString& why)
{
    call.answer = kUnscripted;
    calls_.push_back(call);
    const QString line = DebugDump().section(QLatin1Char('\n'), -2, -2);
    if (unscripted_)
        unscripted_(why.isEmpty() ? line : line + QStringLiteral(" (") + why + QLatin1Char(')'));
}

void TZefScriptedDesktop::Beep(TZefBeepKind kind)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drBeep;
    call.beep = kind;
    calls_.push_back(call);
}

TZefMsgButton TZefScriptedDesktop::ShowMessageBox(const TZefMessageBox& box)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drMessageBox;
    call.caption = box.caption;
    call.text = box.text;
    call.icon = box.icon;
    call.buttons = box.buttons;
    TZefMsgButton cancelled = (box.buttons & mbCancel) != 0 ? mbCancel : mbNone;
    for (const auto& [button, name] : kButtonNames)
        if (cancelled == mbNone && (box.buttons & button) != 0)
            cancelled = button;
    if (messageAnswers_.empty()) {
        Unscripted(call, QString());
        return cancelled;
    }
    const TZefMsgButton answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    if ((box.buttons & answer) == 0 || answer == mbNone) {
        Unscripted(call, QStringLiteral("prepared answer %1 is not offered").arg(ZefMsgButtonsText(answer)));
        return cancelled;
    }
    call.answer = ZefMsgButtonsText(answer);
    calls_.push_back(call);
    return answer;
}

std::optional<QString> TZefScriptedDesktop::InputQuery(const QString& caption, const QString& prompt,
                                                       const QString& initial)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drInput;
    call.caption = caption;
    call.text = prompt;
    call.detail = initial;
    if (inputAnswers_.empty()) {
        Unscripted(call, QString());
        return std::nullopt;
    }
    std::optional<QString> answer = std::move(inputAnswers_.front());
    inputAnswers_.pop_front();
    call.answer = answer ? Quoted(*answer) : QStringLiteral("cancel");
    calls_.push_back(call);
    return answer;
}

std::optional<TZefFileChoice> TZefScriptedDesktop::FileDialog(TZefDesktopRequest request,
                                                              const TZefFileDialog& dialog,
                                                              std::deque<std::optional<TZefFileChoice>>& answers)
{
    TZefDesktopCall call;
    call.request = request;
    call.caption = dialog.caption;
    call.detail = FileDetail(dialog);
    if (answers.empty()) {
        Unscripted(call, QString());
        return std::nullopt;
    }
    std::optional<TZefFileChoice> answer = std::move(answers.front());
    answers.pop_front();
    call.answer = ChoiceText(answer);
    calls_.push_back(call);
    return answer;
}

std::optional<TZefFileChoice> TZefScriptedDesktop::OpenFileDialog(const TZefFileDialog& dialog)
{
    return FileDialog(TZefDesktopRequest::drOpenFile, dialog, openAnswers_);
}

std::optional<TZefFileChoice> TZefScriptedDesktop::SaveFileDialog(const TZefFileDialog& dialog)
{
    return FileDialog(TZefDesktopRequest::drSaveFile, dialog, saveAnswers_);
}

std::optional<QFont> TZefScriptedDesktop::FontDialog(const QString& caption, const QFont& initial)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drFont;
    call.caption = caption;
    call.detail = FontText(initial);
    if (fontAnswers_.empty()) {
        Unscripted(call, QString());
        return std::nullopt;
    }
    std::optional<QFont> answer = std::move(fontAnswers_.front());
    fontAnswers_.pop_front();
    call.answer = answer ? FontText(*answer) : QStringLiteral("cancel");
    calls_.push_back(call);
    return answer;
}

std::optional<QColor> TZefScriptedDesktop::ColorDialog(const QString& caption, const QColor& initial)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drColor;
    call.caption = caption;
    call.detail = initial.name();
    if (colorAnswers_.empty()) {
        Unscripted(call, QString());
        return std::nullopt;
    }
    std::optional<QColor> answer = std::move(colorAnswers_.front());
    colorAnswers_.pop_front();
    call.answer = answer ? answer->name() : QStringLiteral("cancel");
    calls_.push_back(call);
    return answer;
}

bool TZefScriptedDesktop::ShellOpen(const QString& path)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drShellOpen;
    call.text = path;
    if (shellAnswers_.empty()) {
        Unscripted(call, QString());
        return false;
    }
    const bool answer = shellAnswers_.front();
    shellAnswers_.pop_front();
    call.answer = answer ? QStringLiteral("true") : QStringLiteral("false");
    calls_.push_back(call);
    return answer;
}

void TZefScriptedDesktop::PlaySoundAsync(const QString& wavPath)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drSound;
    call.text = wavPath;
    calls_.push_back(call);
}

int TZefScriptedDesktop::ExecDialog(QDialog& dialog)
{
    TZefDesktopCall call;
    call.request = TZefDesktopRequest::drDialog;
    call.caption = dialog.windowTitle();
    if (dialogAnswers_.empty()) {
        Unscripted(call, QString());
        return QDialog::Rejected;
    }
    TDialogScript script = std::move(dialogAnswers_.front());
    dialogAnswers_.pop_front();
    dialog.setResult(QDialog::Rejected);
    script(dialog);
    const int result = dialog.result();
    call.answer = QString::number(result);
    calls_.push_back(call);
    return result;
}

bool TZefScriptedDesktop::SupportsClipboard(TZefClipboardMode mode) const
{
    return mode == TZefClipboardMode::cmClipboard || selectionSupported_;
}

bool TZefScriptedDesktop::SetClipboardData(TZefClipboardMode mode, QMimeData* data)
{
    std::unique_ptr<QMimeData> owned(data);
    if (!SupportsClipboard(mode)) return false;
    clipboards_[Slot(mode)] = std::move(owned);
    ++clipboardWrites_[Slot(mode)];
    return true;
}

const QMimeData* TZefScriptedDesktop::ClipboardData(TZefClipboardMode mode)
{
    return SupportsClipboard(mode) ? clipboards_[Slot(mode)].get() : nullptr;
}

QString TZefScriptedDesktop::ClipboardText(TZefClipboardMode mode) const
{
    const QMimeData* data = clipboards_[Slot(mode)].get();
    return data != nullptr && SupportsClipboard(mode) ? data->text() : QString();
}
