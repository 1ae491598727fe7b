#include "shell/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace tavimo::shell {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// One descriptor per call keeps the conversion free of shared state, so it is
// safe from any thread.
Cp932Conversion convert(const char* to, const char* from, std::string_view input)
{
    Cp932Conversion result;
    Converter converter(to, from);
    if (!converter.valid())
        return result; // NoConverter
    if (input.empty()) {
        result.status = Cp932Status::Ok;
        return result;
    }

    std::string out(input.size() * 2 + 16, '\0');
    // iconv does not write through its input pointer; it only takes char**.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    bool flushing = false;
    for (;;) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        std::size_t rc = flushing ? iconv(converter.get(), nullptr, nullptr, &outPtr, &outLeft)
                                  : iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) {
            if (flushing)
                break;
            flushing = true; // write any closing shift sequence
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ (invalid or unconvertible) or EINVAL (cut-off sequence).
        result.status = Cp932Status::InvalidInput;
        result.errorOffset = input.size() - inLeft;
        return result;
    }
    out.resize(used);
    result.status = Cp932Status::Ok;
    result.text = std::move(out);
    return result;
}

std::optional<std::string> textIfOk(Cp932Conversion conversion)
{
    if (!conversion.ok())
        return std::nullopt;
    return std::move(conversion.text);
}

} // namespace

Cp932Conversion toCp932(std::string_view utf8)
{
    return convert("CP932", "UTF-8", utf8);
}

Cp932Conversion fromCp932(std::string_view cp932)
{
    return convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    return textIfOk(toCp932(utf8));
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932)
{
    return textIfOk(fromCp932(cp932));
}

} // namespace tavimo::shell
