#include "capture/imagewriter.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using velantro::ImageWriter;

// The system's error picks the status shown, followed by the system's words.
TEST(ImageWriter, SystemErrors)
{
    const std::vector<std::tuple<int, ImageWriter::Status, const char*>> cases = {
        {EACCES, ImageWriter::Status::AccessDenied, "Access Denied (Permission denied)"},
        {EROFS, ImageWriter::Status::AccessDenied, "Access Denied (Read-only file system)"},
        {ENOENT, ImageWriter::Status::FileNotFound, "File Not Found (No such file or directory)"},
        {ENOTDIR, ImageWriter::Status::FileNotFound, "File Not Found (Not a directory)"},
        {EBUSY, ImageWriter::Status::ObjectBusy, "Object Busy (Device or resource busy)"},
        {ENOSPC, ImageWriter::Status::SystemError, "Win32 Error (No space left on device)"},
        {EIO, ImageWriter::Status::SystemError, "Win32 Error (Input/output error)"},
    };
    for (const auto& [error, status, text] : cases) {
        EXPECT_EQ(ImageWriter::SystemErrorStatus(error), status) << text;
        EXPECT_EQ(ImageWriter::SystemErrorText(error).toStdString(), text);
    }
}

} // namespace
