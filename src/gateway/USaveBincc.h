#pragma once
// The configuration image: the parameter bank "bank1.bin" (2048 bytes ending in a byte sum)
// and the DeviceNet and IO-Link bank "bank2.bin", built in memory from the project files and
// written into the project's "bin" folder. Every multi-byte value is written little-endian,
// byte by byte, whatever the host.
//
// Use: TSaveBincc image(state); if (auto err = image.Compile_Bin()) show *err; else if (auto
// err = image.Save_Bin()) show *err; else open the update window. A failed build or save
// leaves nothing half-done: a build error writes nothing, and a bank that cannot be written
// is reported so no stale image is ever sent to the device.

#include "gateway/UProjectFiles.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace common {
struct TProgramState;
}

namespace gateway {

// A message to show the user, or nothing when the step succeeded.
using TBin_Error = std::optional<QString>;

// A build step's failure: a project file the image cannot be built from. Compile_Bin turns it
// into its TBin_Error.
class EBin_Error : public std::runtime_error {
public:
    explicit EBin_Error(const QString& message);
    QString message() const;
};

inline constexpr const char* kBin_Folder = "bin";
inline constexpr const char* kBank1_FileName = "bank1.bin";
inline constexpr const char* kBank2_FileName = "bank2.bin";

// Device addresses: where the updater loads each bank and where the second bank, loaded at
// 0x80000, holds its tables.
inline constexpr std::uint32_t kBank1_Load_Address = 0x07000;
inline constexpr std::uint32_t kNode_Table_Address = 0x80000;
inline constexpr std::uint32_t kByteIN_Map_Address = 0x81000;
inline constexpr std::uint32_t kByteOUT_Map_Address = 0x82800;
inline constexpr std::uint32_t kIOLink_Section_Address = 0x84000;

inline constexpr int kBank1_Size = 2048;
inline constexpr int kNode_Table_Size = 64; // nodes
inline constexpr int kNode_Size = 16;       // bytes per node
inline constexpr int kNode_Gap_Size = 3072; // zero bytes after the node table
inline constexpr int kMap_Size = 1536;      // entries per byte map
inline constexpr int kMap_Entry_Size = 4;
inline constexpr int kIOLink_Header_Size = 28;
inline constexpr int kIOLink_Par_Size = 20;
// Bank 2 up to the IO-Link parameters: 16412 bytes.
inline constexpr int kBank2_Fixed_Size =
    kNode_Table_Size * kNode_Size + kNode_Gap_Size + 2 * kMap_Size * kMap_Entry_Size + kIOLink_Header_Size;
// The build buffers' capacities; the IO-Link parameters must fit in the second.
inline constexpr int kBank1_Capacity = 128 * 1024;
inline constexpr int kBank2_Capacity = 512 * 1024;
inline constexpr int kMax_IOLink_Parameters = (kBank2_Capacity - kBank2_Fixed_Size) / kIOLink_Par_Size;

// Offsets of the parameter bank's fields; every field not named here stays zero.
namespace bank1 {
inline constexpr int DNet_Baud = 0x000;   // u32 bit/s
inline constexpr int Fixed_0x004 = 0x004; // u32 250000
inline constexpr int Fixed_0x00C = 0x00C; // u32 9600
inline constexpr int IP_Address = 0x028;  // 4 x u8, first octet first
inline constexpr int Subnet_Mask = 0x02C;
inline constexpr int Gateway = 0x030;
inline constexpr int Fixed_0x034 = 0x034;        // u16 10000
inline constexpr int Fixed_0x036 = 0x036;        // u16 10001
inline constexpr int Fixed_0x038 = 0x038;        // u16 10001
inline constexpr int Num_Nodes = 0x07C;          // u32
inline constexpr int Master_MAC_ID = 0x080;      // u8, always 0
inline constexpr int Num_ByteIN = 0x088;         // u32
inline constexpr int Num_ByteOUT = 0x08C;        // u32
inline constexpr int ByteIN_Map_Address = 0x0D4; // u32
inline constexpr int ByteOUT_Map_Address = 0x0D8;
inline constexpr int Node_Table_Address = 0x0DC;
inline constexpr int Fixed_0x1B4 = 0x1B4; // 8 x u8, each 8
inline constexpr int Eth_Flags = 0x4E8;   // u16, bit 0 DHCP on the cable connection
inline constexpr int Device_Name = 0x514; // 32 x u8, zero-filled
inline constexpr int Device_Name_Size = 32;
inline constexpr int Secondary_DNS = 0x53C; // 4 x u8
inline constexpr int Primary_DNS = 0x58C;   // 4 x u8
inline constexpr int IOLink_Section_Address = 0x660;
inline constexpr int SW_Version = 0x66C; // 8 x u8, zero-filled
inline constexpr int SW_Version_Size = 8;
inline constexpr int Byte_Sum = 0x7FC; // u32, sum of the bytes before it
} // namespace bank1

// The 2048-byte parameter bank as bytes, with little-endian field access.
class TParameter_Bank {
public:
    std::array<std::uint8_t, kBank1_Size> bytes{};

    void putU8(int offset, std::uint8_t value) { bytes.at(size_t(offset)) = value; }
    void putU16(int offset, std::uint16_t value);
    void putU32(int offset, std::uint32_t value);
    std::uint8_t u8(int offset) const { return bytes.at(size_t(offset)); }
    std::uint16_t u16(int offset) const;
    std::uint32_t u32(int offset) const;
    // Sum of the bytes 0x000..0x7FB as unsigned 8-bit values.
    std::uint32_t Byte_Sum() const;
};

// One DeviceNet slave of the node table.
struct TDNet_Node {
    std::uint8_t ID = 0;
    std::uint16_t NB_IN = 0;
    std::uint16_t NB_OUT = 0;
    std::uint16_t Flags = 0;  // bit 0 "Reset_DeviceNet", bit 1 "Reset_PROFINET"
    std::uint16_t Sum_IN = 0; // NB_IN of the nodes before this one
    std::uint16_t Sum_OUT = 0;
};

// One byte of a map: key = slave ID x 1024 + byte number, then the IO-Link byte offset.
struct TDNet_Map_Entry {
    std::uint16_t Key = 0xFFFF;
    std::uint16_t Offset = 0xFFFF;
};

// One IO-Link parameter (an enabled variable), 20 bytes in the image.
struct TIO_Link_Slave_Par {
    std::uint16_t index = 0;
    std::uint8_t subindex = 0;
    std::uint8_t access = 0; // bit 1 read, bit 0 write
    std::uint8_t bit_address_write = 0;
    std::uint8_t bit_address_read = 0;
    std::uint16_t position_read = 0;
    std::uint16_t position_write = 0;
    std::uint32_t bit_length = 0;
    std::uint32_t default_value = 0;
};

// Event entries have a place in the format; none is ever built.
struct TIO_Link_Slave_Event {};

// The IO-Link slave section's header (28 bytes in the image) and its parameters.
struct TIO_Link_Slave_Dev {
    std::uint8_t com = 0; // rate code 1..3; 0 without "ParGen.xml"
    std::uint8_t min_cycle_time = 0;
    std::uint32_t n_par = 0;
    std::uint32_t n_events = 0;
    std::uint32_t add_parameters = 0;
    std::uint32_t add_event = 0;
    std::uint32_t pd_in_bit_length = 0;
    std::uint32_t pd_out_bit_length = 0;
    std::vector<TIO_Link_Slave_Par> parameter;
    std::vector<TIO_Link_Slave_Event> event;
};

// "Read Only" 2, "Write Only" 1, "Read Write" 3, anything else 2 (exact comparison).
std::uint8_t Str_To_Access(const QString& text);

class TSaveBincc {
public:
    // Reads its files through state's File_ paths and writes into state's Project_Dir.
    explicit TSaveBincc(const common::TProgramState& state);

    // Builds both images in memory (Build_Bin). On an error nothing of this build may be
    // saved: Save_Bin refuses until a build succeeds.
    TBin_Error Compile_Bin();
    // Writes "bank1.bin" and "bank2.bin" into the project's "bin" folder, both replaced
    // together through temporary files (both or neither); the error names the file that could
    // not be written.
    TBin_Error Save_Bin();

    // The build steps, in Build_Bin's order. The Read_ steps throw EBin_Error (also for a
    // value the configuration windows would refuse: it names file, row and field), or
    // platform::xml::XmlError for a file that is not well-formed.
    void Build_Bin();
    void Init_Bank1();
    void Init_IOLink_Slave();
    void Init_DNet_Maps();
    void Read_ParGen();
    void Set_SW_Version();
    void Read_DNet();
    void Read_IOLink_Slave(std::uint32_t sectionAddress);
    int Put_Bank1(int position, QByteArray& buffer);
    int Put_DNet(int position, QByteArray& buffer) const;
    int Put_IOLink_Slave(int position, QByteArray& buffer) const;
    TBin_Error Save_Bin_Files() const;

    TParameter_Bank Parameter_Bank;
    std::array<TDNet_Node, kNode_Table_Size> Node_Table{};
    std::array<TDNet_Map_Entry, kMap_Size> ByteIN_Map{};
    std::array<TDNet_Map_Entry, kMap_Size> ByteOUT_Map{};
    int Num_Nodes = 0;
    int Num_ByteIN = 0;
    int Num_ByteOUT = 0;
    TIO_Link_Slave_Dev IOLink_Slave;

    // The serialised banks, exactly as long as the files they become.
    QByteArray Bank1_Image;
    QByteArray Bank2_Image;

private:
    // Read_DNet's steps: the scan list into the node table (answering the slaves' IDs in
    // order), then the byte offsets into the two maps.
    using TOutputTaken = std::map<int, std::pair<int, int>>; // offset -> slave ID, byte
    std::vector<int> readScanList();
    void readByteMaps(const std::vector<int>& slaveIds);
    void fillByteMap(const TDNet_Node& node, const std::vector<TDNet_Byte_Row>& rows, bool present, const char* element,
                     std::uint16_t count, std::array<TDNet_Map_Entry, kMap_Size>& map, int& used, const char* direction,
                     TOutputTaken* taken);

    const common::TProgramState& state_;
    bool built_ = false;
};

} // namespace gateway
