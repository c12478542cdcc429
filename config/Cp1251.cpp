#include "Cp1251.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace krv {
namespace {

// One iconv descriptor per direction, guarded: conversions may run on worker
// threads, and a descriptor keeps shift state.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }

    // Converts `in`; an input sequence the target lacks is skipped (one
    // character of UTF-8 input or one byte otherwise) and `replacement` is
    // emitted instead.
    std::string Convert(std::string_view in, std::string_view replacement, bool utf8Input)
    {
        std::lock_guard lock(m_mutex);
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return std::string(in);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2 + 4);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, std::size_t(dst - buffer));
            if (rc != std::size_t(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip the offending input and substitute.
            std::size_t skip = 1;
            if (utf8Input) {
                const auto lead = static_cast<unsigned char>(*src);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (skip > srcLeft)
                    skip = srcLeft;
            }
            src += skip;
            srcLeft -= skip;
            out.append(replacement);
        }
        return out;
    }

private:
    iconv_t m_cd;
    std::mutex m_mutex;
};

Converter& ToUtf8()
{
    static Converter c("UTF-8", "CP1251");
    return c;
}

Converter& FromUtf8()
{
    static Converter c("CP1251", "UTF-8");
    return c;
}

} // namespace

std::string Utf8FromCp1251(std::string_view cp1251) { return ToUtf8().Convert(cp1251, "\xEF\xBF\xBD", false); }

std::string Cp1251FromUtf8(std::string_view utf8) { return FromUtf8().Convert(utf8, "?", true); }

QString FromCp1251(std::string_view bytes) { return QString::fromStdString(Utf8FromCp1251(bytes)); }

QString FromCp1251(std::span<const std::uint8_t> bytes)
{
    return FromCp1251(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ToCp1251(const QString& text) { return Cp1251FromUtf8(text.toStdString()); }

std::string_view FieldText(std::span<const std::uint8_t> field)
{
    std::size_t n = 0;
    while (n < field.size() && field[n] != 0)
        ++n;
    return std::string_view(reinterpret_cast<const char*>(field.data()), n);
}

} // namespace krv
