#include "FaceMoves.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "Paging.h"

namespace editor {

std::optional<FaceMove> MoveEarlier(int position) {
    if (position <= 0) return std::nullopt;
    return FaceMove{MoveKind::Swap, position, position - 1, position % kFacesPerPage == 0};
}

std::optional<FaceMove> MoveLater(int position, int count) {
    if (position < 0 || position + 1 >= count) return std::nullopt;
    return FaceMove{MoveKind::Swap, position, position + 1,
                    position % kFacesPerPage == kFacesPerPage - 1};
}

std::optional<FaceMove> MoveRowUp(int position) {
    if (position <= 0) return std::nullopt;
    int to = position - kColumns < 0 ? 0 : position - kColumns;
    return FaceMove{MoveKind::Rotate, position, to, true};
}

std::optional<FaceMove> MoveRowDown(int position, int count) {
    if (position < 0 || position + 1 >= count) return std::nullopt;
    int to = position + kColumns > count - 1 ? count - 1 : position + kColumns;
    return FaceMove{MoveKind::Rotate, position, to, true};
}

TypedPosition ParseTypedPosition(const std::string& text, int count) {
    // atol's reading, but a number too long for an int counts as beyond the end
    // instead of wrapping to some place in the middle.
    errno = 0;
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE) value = text.find('-') != std::string::npos ? LLONG_MIN : LLONG_MAX;
    TypedPosition typed;
    if (value > count) {
        typed.beyondEnd = true;
        value = count;
    }
    if (value <= 0) value = 1;
    typed.target = static_cast<int>(value) - 1;
    return typed;
}

std::string BeyondEndMessage(int count) {
    char text[128];
    std::snprintf(text, sizeof text, "您的输入超过最大值:%d. \n该表情将被移动到最末尾.", count);
    return text;
}

}  // namespace editor
