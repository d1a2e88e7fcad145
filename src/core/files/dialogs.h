#pragma once

#include <QString>

#include <optional>

// Every message box, input box and beep of the program goes through this interface, so that
// tests can answer them from a script and check their exact texts.
class Dialogs
{
public:
    enum class Icon { None, Information, Warning, Question, Critical };
    // OkOtherCancel: two choices (okText, otherText) and キャンセル, which Escape means.
    enum class Buttons { Ok, OkCancel, OkOtherCancel };
    enum class Answer { Ok, Cancel, Other };
    // What an input box's preset is for: a value to type over (shown selected), or a start
    // to type after (the cursor after it).
    enum class Preset { Replace, Extend };

    struct Box {
        QString title;
        QString text;
        Icon icon = Icon::Information;
        Buttons buttons = Buttons::Ok;
        Answer defaultButton = Answer::Ok;
        // Captions for the two buttons where "OK" and "キャンセル" would not say what they do.
        QString okText = {};
        QString cancelText = {};
        QString otherText = {};
    };

    virtual ~Dialogs() = default;

    virtual Answer message(const Box &box) = 0;
    // Cancel gives an empty answer, as OK on an empty text does.
    virtual QString input(const QString &prompt, const QString &title, const QString &preset,
                          Preset use = Preset::Replace) = 0;
    virtual void beep() = 0;
    // A file box: a file to write (Save), to read (Open), or a folder to fill (NewFolder: a
    // name not taken yet, or an empty folder); preset is the path offered. Cancel gives "".
    enum class FileUse { Save, Open, NewFolder };
    virtual QString chooseFile(const QString &title, const QString &preset, const QString &filter, FileUse use) = 0;

    // The common shapes.
    void information(const QString &title, const QString &text)
    {
        message({title, text, Icon::Information, Buttons::Ok, Answer::Ok});
    }
    void warning(const QString &title, const QString &text)
    {
        message({title, text, Icon::Warning, Buttons::Ok, Answer::Ok});
    }
    // OK and Cancel; true for OK.
    bool confirm(const QString &title, const QString &text, Icon icon, Answer defaultButton)
    {
        return message({title, text, icon, Buttons::OkCancel, defaultButton}) == Answer::Ok;
    }
};

// The title of a box for which the old program used its own name.
inline QString programTitle() { return QStringLiteral("育児手帖"); }
