#pragma once

#include <QWidget>

class QLabel;

// frmSplash: the small window shown while the notebook loads.
class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    explicit SplashScreen(QWidget *parent = nullptr);
    void setNickname(const QString &nickname); // lblNamae = Nickname + "の"

private:
    QLabel *m_nicknameLabel = nullptr;
};
