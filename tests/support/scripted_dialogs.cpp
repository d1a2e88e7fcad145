#include "scripted_dialogs.h"

namespace {
const char *iconName(Dialogs::Icon i)
{
    switch (i) {
    case Dialogs::Icon::None:
        return "none";
    case Dialogs::Icon::Information:
        return "information";
    case Dialogs::Icon::Warning:
        return "warning";
    case Dialogs::Icon::Question:
        return "question";
    case Dialogs::Icon::Critical:
        return "critical";
    }
    return "?";
}
} // namespace

void ScriptedDialogs::expect(const QString &title, const QString &text, Icon icon, Buttons buttons,
                             Answer defaultButton, Answer answer)
{
    Step s;
    s.box = {title, text, icon, buttons, defaultButton};
    s.checkText = !text.isNull();
    s.answer = answer;
    m_script.append(s);
}

void ScriptedDialogs::expectInformation(const QString &title, const QString &text)
{
    expect(title, text, Icon::Information, Buttons::Ok, Answer::Ok);
}

void ScriptedDialogs::expectWarning(const QString &title, const QString &text)
{
    expect(title, text, Icon::Warning, Buttons::Ok, Answer::Ok);
}

void ScriptedDialogs::expectInput(const QString &title, const QString &answer)
{
    Step s;
    s.isInput = true;
    s.box.title = title;
    s.inputAnswer = answer;
    m_script.append(s);
}

Dialogs::Answer ScriptedDialogs::message(const Box &box)
{
    m_shown.append(box);
    if (onMessage)
        onMessage(box);
    if (m_script.isEmpty() || m_script.first().isInput) {
        if (!m_lenient)
            m_errors.append(QStringLiteral("unexpected box \"%1\": %2").arg(box.title, box.text));
        return Answer::Ok;
    }
    const Step s = m_script.takeFirst();
    if (s.box.title != box.title)
        m_errors.append(QStringLiteral("box title \"%1\", expected \"%2\" (text: %3)")
                            .arg(box.title, s.box.title, box.text));
    if (s.checkText && s.box.text != box.text)
        m_errors.append(QStringLiteral("box \"%1\" text\n  got:      %2\n  expected: %3")
                            .arg(box.title, box.text, s.box.text));
    if (s.box.icon != box.icon)
        m_errors.append(
            QStringLiteral("box \"%1\" icon %2, expected %3")
                .arg(box.title, QLatin1String(iconName(box.icon)), QLatin1String(iconName(s.box.icon))));
    if (s.box.buttons != box.buttons)
        m_errors.append(QStringLiteral("box \"%1\" has other buttons than expected").arg(box.title));
    if (box.buttons == Buttons::OkCancel && s.box.defaultButton != box.defaultButton)
        m_errors.append(QStringLiteral("box \"%1\" has another default button than expected").arg(box.title));
    return s.answer;
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title, const QString &preset, Preset use)
{
    m_inputs.append({prompt, title, preset, use});
    if (m_script.isEmpty() || !m_script.first().isInput) {
        if (!m_lenient)
            m_errors.append(QStringLiteral("unexpected input box \"%1\"").arg(title));
        return {};
    }
    const Step s = m_script.takeFirst();
    if (s.box.title != title)
        m_errors.append(QStringLiteral("input box title \"%1\", expected \"%2\"").arg(title, s.box.title));
    return s.inputAnswer;
}

QStringList ScriptedDialogs::titles() const
{
    QStringList t;
    for (const Box &b : m_shown)
        t.append(b.title);
    return t;
}

QStringList ScriptedDialogs::errors() const
{
    QStringList e = m_errors;
    for (const Step &s : m_script)
        e.append(QStringLiteral("expected box \"%1\" never came").arg(s.box.title));
    return e;
}

void ScriptedDialogs::clear()
{
    m_script.clear();
    m_shown.clear();
    m_inputs.clear();
    m_errors.clear();
}
