#pragma once
// The MQTT topic tables: a publish table (values taken from the input data array and sent
// under a topic) and a subscribe table (received topics put into the output data array), on
// two sheets, kept in "MQTT_Set_Topic.xml". The tables carry columns for devices reached over
// Ethernet, command-triggered publishing, lighting channels and byte swapping that this
// working mode does not use: they are hidden when the window is shown, keep their cells by
// real column, are not checked, and OnCMD, Channel, Swap and Swap Word are not stored.
// A double click on a Template cell edits it in the template editor.

#include "tables/UTableWindow.h"

namespace energy_it {

class TFTopicTemplate;

namespace pub_col {
inline constexpr int N = 0, Topic = 1, Retained = 2, QoS = 3, DataType = 4, Dimension = 5, Position = 6, IPAddress = 7,
                     InputTemplate = 8, Template = 9, OnChange = 10, OnCMD = 11, OnTimer = 12, Time = 13, Channel = 14,
                     Swap = 15, Swap_Word = 16, Mnemonic = 17, Count = 18;
}
namespace sub_col {
inline constexpr int N = 0, Topic = 1, Retained = 2, QoS = 3, DataType = 4, Dimension = 5, Position = 6, IPAddress = 7,
                     Port = 8, EthType = 9, InputTemplate = 10, Template = 11, Swap = 12, Swap_Word = 13, Mnemonic = 14,
                     Count = 15;
}

// True when the text holds an odd number of "$": a keyword is left open.
bool Error_In_Topic_Template(const QString& Str);

class TFMQTT_Set_Topic : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1100;
    static constexpr int kClientHeight = 337;
    static constexpr int kRows = 1025; // the header row and 1024 topics
    // Sizes of the data arrays in bytes: positions lie below them.
    static constexpr int Byte_IN = 1500;
    static constexpr int Byte_OUT = 1500;

    explicit TFMQTT_Set_Topic(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;
    // Edits the cell (ARow, ACol) of the grid in the template editor; the editor's text
    // replaces the cell only when the editor is confirmed.
    void Show_Form_Topic(tables::TTableGrid* Sender, int ARow, int ACol);

    // The working mode that selects the shown columns; only 1 exists.
    int Working_Mode = 1;
    // The template editor, set once both windows exist; without it a double click only sizes.
    TFTopicTemplate* FTopicTemplate = nullptr;

    QWidget* TS_MQTT_Publish = nullptr;
    QWidget* TS_MQTT_Subscribe = nullptr;
    tables::TTableGrid* ACG_Pub = nullptr;
    tables::TTableGrid* ACG_Sub = nullptr;
    const QStringList& Hint_MQTT_Set_Topic_Pub() const { return Hints(0); }
    const QStringList& Hint_MQTT_Set_Topic_Sub() const { return Hints(1); }
    bool Do_Copy_Pub() const { return Do_Copy(0); }
    bool Do_Copy_Sub() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;

private:
    void Show_Columns_Of_Working_Mode();
};

} // namespace energy_it
