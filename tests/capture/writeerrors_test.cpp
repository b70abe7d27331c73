#include "capture/imagewriter.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using velantro::ImageWriter;

// The system's error picks the status shown, followed by the system's words.
TEST(ImageWriter, SystemErrors)
{
    const std::vector<std::tuple<int, int, const char*>> cases = {
        {EACCES, ImageWriter::AccessDenied, "Access Denied (Permission denied)"},
        {EROFS, ImageWriter::AccessDenied, "Access Denied (Read-only file system)"},
        {ENOENT, ImageWriter::FileNotFound, "File Not Found (No such file or directory)"},
        {ENOTDIR, ImageWriter::FileNotFound, "File Not Found (Not a directory)"},
        {EBUSY, ImageWriter::ObjectBusy, "Object Busy (Device or resource busy)"},
        {ENOSPC, ImageWriter::Win32Error, "Win32 Error (No space left on device)"},
        {EIO, ImageWriter::Win32Error, "Win32 Error (Input/output error)"},
    };
    for (const auto& [error, status, text] : cases) {
        EXPECT_EQ(ImageWriter::SystemErrorStatus(error), status) << text;
        EXPECT_EQ(ImageWriter::SystemErrorText(error).toStdString(), text);
    }
}

} // namespace
