#pragma once
// The editor of one long text of the MQTT tables, a topic or a message template, in a
// multi-line text box with a legend of keywords below it. The caller clears the text box,
// puts the cell's text into it, sets TopicTemplate, Working_Mode and Pub_Sub and shows the
// window modally; on 1 the whole text, line breaks included, becomes the cell's text.

#include "common/UFormParts.h"

class QLabel;
class QPlainTextEdit;
class QSplitter;
class TGlyphButton;

namespace grid {
class TQvStringGrid;
}

namespace energy_it {

class TFTopicTemplate : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 635;
    static constexpr int kClientHeight = 396;

    explicit TFTopicTemplate(platform::Services& services, QWidget* parent = nullptr);

    // Texts of the current language; called at creation and on a language change.
    void Set_Lang();
    void FormShow() override;
    // Fills the legend with the keywords of the working mode.
    void Laod_Keywords();

    int TopicTemplate = 0; // 0: the text is a topic; otherwise a template
    int Working_Mode = 0;  // the calling window's working mode
    int Pub_Sub = 0;       // 0: publish table; 1: subscribe table
    QWidget* Panel1 = nullptr;
    QPlainTextEdit* RE_TopicTemplate = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* P_Legend = nullptr;
    QLabel* L_List_Keywords = nullptr;
    grid::TQvStringGrid* QSG_Keywords = nullptr;

public slots:
    void reject() override;

private:
    void FormCreate();
};

} // namespace energy_it
