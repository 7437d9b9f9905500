// Where the grid's single-face moves take a face, by position (0-based row in
// `orderid` order within the open category).
#pragma once
#include <optional>
#include <string>

namespace editor {

enum class MoveKind {
    Swap,    // exchange with one neighbour
    Rotate,  // the face goes to the target, the faces between shift
};

struct FaceMove {
    MoveKind kind;
    int from;
    int to;
    // False when the two cells can be exchanged on screen without a new query.
    bool crossesPage;
};

// "前移", "后移", "上移", "下移"; empty when the face cannot move that way.
std::optional<FaceMove> MoveEarlier(int position);
std::optional<FaceMove> MoveLater(int position, int count);
std::optional<FaceMove> MoveRowUp(int position);
std::optional<FaceMove> MoveRowDown(int position, int count);

// "移动位置到...": the 1-based place the user typed, read like atol ("abc" is 0).
struct TypedPosition {
    int target = 0;             // 0-based position
    bool beyondEnd = false;     // the typed place exceeded the count: tell the user
};
TypedPosition ParseTypedPosition(const std::string& text, int count);
// "您的输入超过最大值:%d. \n该表情将被移动到最末尾." with the count.
std::string BeyondEndMessage(int count);

}  // namespace editor
