#pragma once

#include "frame/frame.h"
#include "frame/host.h"
#include "window_language.h"

#include <QString>

#include <initializer_list>
#include <string_view>

// The window's own fixed texts: captions, prompts and messages.
namespace quorvex::ui {

inline const QString kCaption = QString::fromUtf8(kAppTitle.data(), kAppTitle.size());

inline constexpr UiText kLargeFileQuestion{
    QT_TRANSLATE_NOOP("quorvex::ui", "文件太大，如果打开可能要等一段时间，是否仍要继续？")};
inline constexpr UiText kLargeFileCaption{QT_TRANSLATE_NOOP("quorvex::ui", "温馨提示")};
inline constexpr UiText kEmptyFile{QT_TRANSLATE_NOOP("quorvex::ui", "文件为空，请重新选择文件！")};
inline constexpr UiText kNotRegularFile{
    QT_TRANSLATE_NOOP("quorvex::ui", "不是普通的文本文件，请重新选择文件！")};
inline constexpr UiText kFileTooLarge{
    QT_TRANSLATE_NOOP("quorvex::ui", "文件太大，内存容纳不下，请重新选择文件！")};
inline constexpr UiText kNothingOpened{QT_TRANSLATE_NOOP("quorvex::ui", "没有打开任何文件。")};
inline constexpr UiText kOperationError{QT_TRANSLATE_NOOP("quorvex::ui", "操作有误#")};
/// The catalogue's message, in the window's language when it is shown.
inline QString outOfMemoryText() {
    const std::string_view text = kOutOfMemoryMessage.in(windowLanguage());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
/// The toolbar's button that ends a running command (Esc does the same).
inline constexpr UiText kStopCommand{QT_TRANSLATE_NOOP("quorvex::ui", "停止")};
inline constexpr UiText kEmptyResult{QT_TRANSLATE_NOOP("quorvex::ui", "结果为空，不能保存#")};
inline constexpr UiText kNotSaved{
    QT_TRANSLATE_NOOP("quorvex::ui", "你没有存盘,数据没有被保存下来#")};
inline constexpr UiText kNothingSaved{QT_TRANSLATE_NOOP("quorvex::ui", "没有保存文件。")};

/// In the status bar when an export or printing was stopped.
inline constexpr UiText kExportStopped{
    QT_TRANSLATE_NOOP("quorvex::ui", "导出已停止，文件没有写出。")};
inline constexpr UiText kPrintStopped{QT_TRANSLATE_NOOP("quorvex::ui", "打印已停止。")};

inline constexpr UiText kDecimalsPrompt{QT_TRANSLATE_NOOP("quorvex::ui", "输入要设置小数数位 n：")};
inline constexpr UiText kDecimalsCaption{QT_TRANSLATE_NOOP("quorvex::ui", "设置小数数位")};

/// The pattern with each "{}" replaced by the next argument, in order.
inline QString fillText(std::string_view pattern, std::initializer_list<QString> args) {
    const QString text = QString::fromUtf8(pattern.data(), static_cast<qsizetype>(pattern.size()));
    QString out;
    auto next = args.begin();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (next != args.end() && QStringView(text).mid(i, 2) == u"{}") {
            out += *next++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quorvex::ui
