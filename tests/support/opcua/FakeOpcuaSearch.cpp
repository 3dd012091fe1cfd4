// A stand-in for the outside browse library "OPC_UA_Search", built with the tests against the
// records' own header. It browses nothing: the endpoint address it is handed is a script,
//
//     "fake:count=3;access=0,1,2;ids=0,3,4;types=5,10;log=/tmp/x/browse.log"
//
// count   the result of opcua_client_begin (may be 0 or negative)
// access  accessLevel per index (missing: 0); ids: identifierType per index (missing: 0);
// types   dataType per index (missing: index % 15)
// log     a file to which every call is appended, with "unload" when the library is released
//
// Record i carries namespace index i % 4, numeric identifier 3000000000 + i (above the signed
// 32-bit range), string identifier "Str.<i>", byte string "Bytes<i>", GUID
// A0000000+i-0B0C-0D0E-F001-02030405<i> and display name "Sensor <i> °C" in the ANSI code page.
// Its texts live until the next browse or until the library is unloaded, when they are freed.
// Built with QV_FAKE_WITHOUT_RETURN_VARIABLE it lacks the second export.

#include "common/OpcuaRecords.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#define QV_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::vector<int> numbers(const std::string& list)
{
    std::vector<int> out;
    std::size_t at = 0;
    while (at <= list.size() && !list.empty()) {
        const std::size_t comma = list.find(',', at);
        out.push_back(std::atoi(list.substr(at, comma - at).c_str()));
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    return out;
}

std::string shown(const char* text)
{
    if (!text)
        return "(null)";
    std::string s;
    for (const char* p = text; *p; ++p)
        s += *p == '\n' ? std::string("\\n") : *p == '\r' ? std::string("\\r") : std::string(1, *p);
    return s;
}

struct State {
    std::string log;
    int count = 0;
    std::vector<int> access, ids, types;
    int begins = 0;
    int next = -1; // the index expected next; -1 before a browse
    std::vector<std::unique_ptr<char[]>> texts;

    ~State() { write("unload"); }

    void write(const std::string& line) const
    {
        if (log.empty())
            return;
        if (FILE* f = std::fopen(log.c_str(), "a")) {
            std::fprintf(f, "%s\n", line.c_str());
            std::fclose(f);
        }
    }

    const char* keep(const std::string& text)
    {
        texts.push_back(std::make_unique<char[]>(text.size() + 1));
        std::memcpy(texts.back().get(), text.c_str(), text.size() + 1);
        return texts.back().get();
    }

    void parse(const std::string& address)
    {
        const std::string prefix = "fake:";
        if (address.compare(0, prefix.size(), prefix) != 0)
            return;
        std::size_t at = prefix.size();
        while (at < address.size()) {
            std::size_t end = address.find(';', at);
            if (end == std::string::npos)
                end = address.size();
            const std::string item = address.substr(at, end - at);
            const std::size_t eq = item.find('=');
            const std::string key = item.substr(0, eq);
            const std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
            if (key == "count")
                count = std::atoi(value.c_str());
            else if (key == "access")
                access = numbers(value);
            else if (key == "ids")
                ids = numbers(value);
            else if (key == "types")
                types = numbers(value);
            else if (key == "log")
                log = value;
            at = end + 1;
        }
    }
};

State state;

[[maybe_unused]] int at(const std::vector<int>& list, int index, int missing)
{
    return index >= 0 && index < int(list.size()) ? list[std::size_t(index)] : missing;
}

} // namespace

QV_EXPORT std::int32_t opcua_client_begin(common::opcua_server_to_discover server)
{
    state.texts.clear();
    state.count = 0;
    state.access.clear();
    state.ids.clear();
    state.types.clear();
    state.parse(server.server_address ? server.server_address : "");
    ++state.begins;
    state.next = 0;
    state.write("begin " + std::to_string(state.begins) + " " + shown(server.server_address));
    state.write("server " + std::to_string(server.user_pass_auth_flag) + "|" + shown(server.username) + "|"
                + shown(server.password) + "|" + shown(server.cert) + "|" + shown(server.priv_key) + "|"
                + std::to_string(server.security_type) + "|" + std::to_string(server.security_policy));
    return state.count;
}

#ifndef QV_FAKE_WITHOUT_RETURN_VARIABLE
QV_EXPORT std::int32_t opcua_return_variable(common::opcua_structure* record, std::int32_t index)
{
    state.write("variable " + std::to_string(index));
    if (index != state.next || index >= state.count) {
        state.write("out of order");
        return 0;
    }
    ++state.next;
    const std::string name = "Sensor " + std::to_string(index)
                             + " \xB0"
                               "C";
    const std::string stringId = "Str." + std::to_string(index);
    const std::string bytes = "Bytes" + std::to_string(index);
    record->nameSpaceIndex = std::uint16_t(index % 4);
    record->identifierType = std::uint16_t(at(state.ids, index, 0));
    record->numeric = 3000000000u + std::uint32_t(index);
    record->stringname = state.keep(stringId);
    record->stringLength = std::uint32_t(stringId.size());
    record->guide1 = 0xA0000000u + std::uint32_t(index);
    record->guide2 = 0x0B0C;
    record->guide3 = 0x0D0E;
    const std::uint8_t g4[8] = {0xF0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, std::uint8_t(index)};
    std::memcpy(record->guide4, g4, 8);
    record->byteString = state.keep(bytes);
    record->byteStringLength = std::uint32_t(bytes.size());
    record->displayName = state.keep(name);
    record->displayNameLength = std::uint32_t(name.size());
    record->dataType = at(state.types, index, index % 15);
    record->accessLevel = std::uint8_t(at(state.access, index, 0));
    return 1;
}
#endif
