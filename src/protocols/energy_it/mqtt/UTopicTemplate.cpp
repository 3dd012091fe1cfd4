#include "protocols/energy_it/mqtt/UTopicTemplate.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "grid/QvGrid.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include <span>

namespace energy_it {

using common::Lang_Text;

namespace {

constexpr int kLegendHeight = 108;
constexpr int kKeywordWidth = 200;
constexpr int kDescriptionWidth = 380;
constexpr int kLegendRowHeight = 22;

// A keyword and its description, as text numbers.
struct TKeyword {
    int keyword;
    int description;
};

// No working mode of this build defines keywords for its topics or templates.
std::span<const TKeyword> Keywords(int /*workingMode*/, int /*pubSub*/)
{
    return {};
}

void Set_Read_Only(grid::TQvStringGrid& grid, int col, int row, bool readOnly)
{
    grid.GetCellProperties(col, row)->FReadOnly = readOnly;
}

} // namespace

TFTopicTemplate::TFTopicTemplate(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FTopicTemplate"));
    FormCreate();
}

void TFTopicTemplate::FormCreate()
{
    QVBoxLayout* body =
        Build_Frame(common::Table_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(kModalOK)));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* middle = new QVBoxLayout(Panel1);
    middle->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, Panel1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    middle->addWidget(Splitter1);

    RE_TopicTemplate = new QPlainTextEdit(Splitter1);
    RE_TopicTemplate->setObjectName(QStringLiteral("RE_TopicTemplate"));
    // A template is sent as typed: no wrapping that would hide where its lines break.
    RE_TopicTemplate->setLineWrapMode(QPlainTextEdit::NoWrap);

    P_Legend = new QWidget(Splitter1);
    P_Legend->setObjectName(QStringLiteral("P_Legend"));
    auto* legend = new QVBoxLayout(P_Legend);
    legend->setContentsMargins(4, 2, 4, 2);
    legend->setSpacing(2);
    L_List_Keywords = new QLabel(P_Legend);
    L_List_Keywords->setObjectName(QStringLiteral("L_List_Keywords"));
    QSG_Keywords = new grid::TQvStringGrid(P_Legend);
    QSG_Keywords->setObjectName(QStringLiteral("QSG_Keywords"));
    QSG_Keywords->SetColCount(2);
    QSG_Keywords->SetRowCount(2);
    QSG_Keywords->SetFixedCols(0);
    QSG_Keywords->SetFixedRows(1);
    QSG_Keywords->SetDefaultRowHeight(kLegendRowHeight);
    QSG_Keywords->SetColWidths(0, kKeywordWidth);
    QSG_Keywords->SetColWidths(1, kDescriptionWidth);
    QSG_Keywords->SetOptions(QSG_Keywords->Options() | grid::goEditing);
    legend->addWidget(L_List_Keywords);
    legend->addWidget(QSG_Keywords, 1);
    Splitter1->addWidget(RE_TopicTemplate);
    Splitter1->addWidget(P_Legend);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    const int middleHeight = kClientHeight - common::kTitlePanelHeight - P_Button->height();
    Splitter1->setSizes({middleHeight - kLegendHeight, kLegendHeight});

    body->addWidget(Panel1, 1);

    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    setWindowTitle(Lang_Text(4000));
    L_SW_Desc->setText(Lang_Text(4002));
    L_List_Keywords->setText(Lang_Text(4004));
    QSG_Keywords->SetCells(0, 0, Lang_Text(4005));
    QSG_Keywords->SetCells(1, 0, Lang_Text(4006));
    Btn_OK->setCaption(Lang_Text(4007));
    Btn_Cancel->setCaption(Lang_Text(4008));
}

void TFTopicTemplate::FormShow()
{
    const bool isTemplate = TopicTemplate != 0;
    setWindowTitle(Lang_Text(isTemplate ? 4001 : 4000));
    L_SW_Desc->setText(Lang_Text(isTemplate ? 4003 : 4002));
    Laod_Keywords();
    if (RE_TopicTemplate->isVisible() && RE_TopicTemplate->isEnabled())
        RE_TopicTemplate->setFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    const std::span<const TKeyword> keywords = Keywords(Working_Mode, Pub_Sub);
    if (keywords.empty()) {
        QSG_Keywords->SetRowCount(2);
        QSG_Keywords->SetCells(0, 1, QString());
        QSG_Keywords->SetCells(1, 1, QString());
        Set_Read_Only(*QSG_Keywords, 0, 1, false);
        Set_Read_Only(*QSG_Keywords, 1, 1, true);
        return;
    }
    // The keyword cells stay editable so that the user can select and copy a keyword.
    QSG_Keywords->SetRowCount(int(keywords.size()) + 1);
    for (size_t i = 0; i < keywords.size(); ++i) {
        const int row = int(i) + 1;
        QSG_Keywords->SetCells(0, row, Lang_Text(keywords[i].keyword));
        QSG_Keywords->SetCells(1, row, Lang_Text(keywords[i].description));
        Set_Read_Only(*QSG_Keywords, 0, row, false);
        Set_Read_Only(*QSG_Keywords, 1, row, true);
    }
}

void TFTopicTemplate::reject()
{
    done(kModalCancel);
}

} // namespace energy_it
