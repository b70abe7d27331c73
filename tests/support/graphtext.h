#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace velantro::testing {

// A header that the reader accepts, with the speed block and the section
// text to follow given by the test.
struct GraphText {
    std::string MediaType = "DVD+R", Capacity = "2295104", LayerBreak = "0", DataSectors = "2000000";
    std::string DataType = "MODE1/2048", Make = "ACME DVDRW AD-1";
    std::string SpeedBlock = "WRITE_TEST_MODE=No\r\nWRITE_SPEED_SELECTED=16x\r\nWRITE_SPEED_START=6.00\r\n"
                             "WRITE_SPEED_END=16.00\r\nWRITE_SPEED_AVERAGE=11.50\r\nWRITE_SPEED_MAX=16.10\r\n"
                             "WRITE_TIME_TAKEN=754\r\n";
    std::string Body = "[END_CONFIGURATION]\r\n";

    std::string Header() const
    {
        return "[START_CONFIGURATION]\r\nDATE=2026-11-28 21:14:33\r\nSAMPLE_RATE=1000\r\nDEVICE_MAKEMODEL=" + Make +
               "\r\nDEVICE_FIRMWAREVERSION=1.02\r\nMEDIA_TYPE=" + MediaType +
               "\r\nMEDIA_BOOKTYPE=DVD+R\r\nMEDIA_ID=ACME-R16-000\r\nMEDIA_CAPACITY=" + Capacity +
               "\r\nMEDIA_LAYER_BREAK=" + LayerBreak + "\r\nDATA_SECTORS=" + DataSectors + "\r\nDATA_TYPE=" + DataType +
               "\r\nDATA_VOLUMEIDENTIFIER=HOLIDAY\r\n";
    }
    std::string Text() const { return Header() + SpeedBlock + Body; }
};

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& contents = "", const std::string& name = "graph.ibg")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velantro-test-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::ofstream(In(name), std::ios::binary) << contents;
        path_ = In(name);
    }
    ~TempFile() { std::filesystem::remove_all(folder_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& Folder() const { return folder_; }
    std::string In(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_, path_;
};

} // namespace velantro::testing
