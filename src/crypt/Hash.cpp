#include "crypt/Hash.h"

#include "crypt/StringFormat.h"

namespace varnet::crypt {

std::string THash::DigestStr(int format)
{
    return BinToStr(DigestKey(), static_cast<std::size_t>(DigestKeySize()), format);
}

std::string THash::CalcString(std::string_view text, int format)
{
    Init();
    Calc(text.data(), text.size());
    Done();
    return DigestStr(format);
}

void THash::CodeInit(TCodeAction action)
{
    if (action == caCalc && Actions().Contains(caCalc))
        Init();
    TProtection::CodeInit(action);
}

void THash::CodeDone(TCodeAction action)
{
    TProtection::CodeDone(action);
    if (action == caCalc && Actions().Contains(caCalc))
        Done();
}

void THash::CodeBuf(void* buffer, std::size_t size, TCodeAction action)
{
    TProtection::CodeBuf(buffer, size, action);
    if (action == caCalc && Actions().Contains(caCalc))
        Calc(buffer, size);
}

} // namespace varnet::crypt
