#pragma once

#include "frame/frame.h"
#include "frame/host.h"

#include <QString>

#include <initializer_list>
#include <string_view>

// The window's own fixed texts: captions, prompts and messages.
namespace quorvex::ui {

inline const QString kCaption = QString::fromUtf8(kAppTitle.data(), kAppTitle.size());

inline const QString kLargeFileQuestion =
    QStringLiteral("文件太大，如果打开可能要等一段时间，是否仍要继续？");
inline const QString kLargeFileCaption = QStringLiteral("温馨提示");
inline const QString kEmptyFile = QStringLiteral("文件为空，请重新选择文件！");
inline const QString kNotRegularFile = QStringLiteral("不是普通的文本文件，请重新选择文件！");
inline const QString kFileTooLarge = QStringLiteral("文件太大，内存容纳不下，请重新选择文件！");
inline const QString kNothingOpened = QStringLiteral("没有打开任何文件。");
inline const QString kOperationError = QStringLiteral("操作有误#");
inline const QString kOutOfMemory =
    QString::fromUtf8(kOutOfMemoryMessage.data(), kOutOfMemoryMessage.size());
/// The toolbar's button that ends a running command (Esc does the same).
inline const QString kStopCommand = QStringLiteral("停止");
inline const QString kEmptyResult = QStringLiteral("结果为空，不能保存#");
inline const QString kNotSaved = QStringLiteral("你没有存盘,数据没有被保存下来#");
inline const QString kNothingSaved = QStringLiteral("没有保存文件。");

/// Above each part of a matrix too wide for a printed page.
inline constexpr std::string_view kColumnsShown = "第 {} 列至第 {} 列：";
/// In the status bar when an export or printing was stopped.
inline const QString kExportStopped = QStringLiteral("导出已停止，文件没有写出。");
inline const QString kPrintStopped = QStringLiteral("打印已停止。");

inline const QString kDecimalsPrompt = QStringLiteral("输入要设置小数数位 n：");
inline const QString kDecimalsCaption = QStringLiteral("设置小数数位");

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
