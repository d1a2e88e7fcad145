#include "notebook/growth_panel.h"

#include "notebook/panel_host.h"

#include <QLabel>
#include <QVBoxLayout>

GrowthPanel::GrowthPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraGraph"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("身長・体重グラフ"), this));
    layout->addStretch();
}

void GrowthPanel::open()
{
    m_host.panelHide();
    show();
    m_host.helpTour(QStringLiteral("育児日記で入力している身長、体重データを使ってリストとグラフを表示します。\r\n\r\n"
                                   "身長と体重については入力していない部分も前後のデータを自動的に結んで表示しています。\r\n\r\n"
                                   "身長・体重リスト　データ保存ボタンを押すとテキストデータに保存します。\r\n"
                                   "このデータはエクセルなどの表計算ソフトなどで読み込むことが可能です。\r\n\r\n"
                                   "Ｙ軸の上限下限を変更するときはグラフをダブルクリックしてください。"));
}
