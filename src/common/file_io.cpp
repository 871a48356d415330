// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace quorvel {

Result<std::vector<std::byte>> read_file_bytes(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return make_error(ErrorCode::missing, path.string() + ": no such file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return make_error(ErrorCode::io, path.string() + ": cannot be opened");
    std::vector<std::byte> bytes;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0) return make_error(ErrorCode::io, path.string() + ": cannot be measured");
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in) return make_error(ErrorCode::io, path.string() + ": read failed");
    return bytes;
}

Status write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path dir =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string templ = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(templ.data());
    if (fd < 0) return make_error(ErrorCode::io, path.string() + ": " + std::strerror(errno));
    const auto fail = [&](const char* what) {
        const std::string msg = path.string() + ": " + what + ": " + std::strerror(errno);
        ::close(fd);
        ::unlink(templ.c_str());
        return make_error(ErrorCode::io, msg);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("fsync");
    ::fchmod(fd, 0644);
    if (::close(fd) != 0) {
        ::unlink(templ.c_str());
        return make_error(ErrorCode::io, path.string() + ": close failed");
    }
    if (::rename(templ.c_str(), path.c_str()) != 0) {
        const std::string msg = path.string() + ": rename: " + std::strerror(errno);
        ::unlink(templ.c_str());
        return make_error(ErrorCode::io, msg);
    }
    return ok_status();
}

}  // namespace quorvel
