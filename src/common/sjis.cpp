// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/sjis.hpp"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace quorvel {

namespace {

struct IconvCloser {
    void operator()(iconv_t* cd) const {
        iconv_close(*cd);
        delete cd;
    }
};

Result<std::string> convert(const char* to, const char* from, std::string_view in, std::string_view what) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return make_error(ErrorCode::encoding, std::string("no converter from ") + from + " to " + to);
    std::unique_ptr<iconv_t, IconvCloser> guard(new iconv_t(cd));
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char* dst = out.data();
    std::size_t dst_left = out.size();
    while (src_left > 0) {
        if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            const std::size_t used = static_cast<std::size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dst_left = out.size() - used;
            continue;
        }
        const std::size_t offset = in.size() - src_left;
        return make_error(ErrorCode::encoding, std::string(what) + " at byte " + std::to_string(offset));
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

}  // namespace

Result<std::string> sjis_to_utf8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis, "not valid Shift-JIS");
}

Result<std::string> utf8_to_sjis(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, "a character that Shift-JIS cannot hold");
}

bool sjis_can_hold(std::string_view utf8) { return utf8_to_sjis(utf8).ok(); }

}  // namespace quorvel
