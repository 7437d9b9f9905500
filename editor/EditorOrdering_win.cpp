// The cell menu and the commands on selected faces: reordering, rename, delete, move, copy.
#include "EditorDialogs_win.h"
#include "EditorIds.h"
#include "FaceMoves.h"
#include "Paging.h"
#include "ZevezEZDlg_win.h"
#include "winfx/Menu.h"

namespace editor {

namespace {

constexpr const char* kNothingToDelete = "请先单击选中要删除的表情!";
constexpr const char* kNothingToMove = "当前没有选定任何表情。";

}  // namespace

// The panel marks clicked cells; the page model follows it before every command.
void CZevezEZDlg::SyncSelection() {
    for (int i = 0; i < m_grid.CellCount(); ++i) {
        bool pressed = m_panel.HasFace(i) && m_panel.IsPressed(i);
        if (m_grid.IsFilled(i) && m_grid.Cell(i).selected != pressed) m_grid.Toggle(i);
    }
}

void CZevezEZDlg::OnFaceClick(int) {}  // the panel already toggled the mark

void CZevezEZDlg::OnFaceDoubleClick(int cell) { RenameFace(cell); }

void CZevezEZDlg::OnFaceRightClick(int cell, POINT screen) {
    if (!m_grid.IsFilled(cell)) return;
    winfx::PopupMenu menu;
    menu.Append(ID_FACE_EARLIER, "前移");
    menu.Append(ID_FACE_LATER, "后移");
    menu.Append(ID_FACE_ROW_UP, "上移");
    menu.Append(ID_FACE_ROW_DOWN, "下移");
    menu.Append(ID_FACE_TO_POSITION, "移动位置到...");
    menu.AppendSeparator();
    menu.Append(ID_FACE_MOVE_TO_CATEGORY, "移动到分类...");
    menu.Append(ID_FACE_COPY_TO_CATEGORY, "复制到分类...");
    menu.AppendSeparator();
    menu.Append(ID_FACE_DELETE, "删 除 (&D)");
    menu.Append(ID_FACE_RENAME, "重命名(&R)");
    menu.Append(ID_FACE_SELECT_ALL, "全 选 (&A)");
    // The choice comes back as WM_COMMAND and acts on this cell.
    m_menuCell = cell;
    menu.TrackNotify(Hwnd(), screen, TPM_RIGHTBUTTON);
}

void CZevezEZDlg::RunCellCommand(UINT command, int cell) {
    switch (command) {
    case ID_FACE_EARLIER:
    case ID_FACE_LATER:
    case ID_FACE_ROW_UP:
    case ID_FACE_ROW_DOWN: MoveFace(cell, command); break;
    case ID_FACE_TO_POSITION: MoveToTypedPosition(cell); break;
    case ID_FACE_MOVE_TO_CATEGORY: MoveOrCopySelected(true); break;
    case ID_FACE_COPY_TO_CATEGORY: MoveOrCopySelected(false); break;
    case ID_FACE_DELETE: DeleteSelected(); break;
    case ID_FACE_RENAME: RenameFace(cell); break;
    case ID_FACE_SELECT_ALL:
        m_grid.SelectAll();
        for (int i = 0; i < m_grid.CellCount(); ++i) m_panel.SetPressed(i, m_grid.IsFilled(i));
        break;
    }
}

void CZevezEZDlg::MoveFace(int cell, UINT command) {
    if (!m_grid.IsFilled(cell)) return;
    SyncSelection();
    const int position = m_grid.Cell(cell).position;
    std::optional<FaceMove> move;
    switch (command) {
    case ID_FACE_EARLIER: move = MoveEarlier(position); break;
    case ID_FACE_LATER: move = MoveLater(position, m_count); break;
    case ID_FACE_ROW_UP: move = MoveRowUp(position); break;
    case ID_FACE_ROW_DOWN: move = MoveRowDown(position, m_count); break;
    }
    if (!move) return;
    if (move->kind == MoveKind::Swap) {
        bool stored = m_library->SwapOrder(m_category, move->from, move->to);
        if (!move->crossesPage) {
            // The two cells trade places on screen; no query needed.
            int other = cell + (move->to - move->from);
            m_grid.SwapContents(cell, other);
            m_panel.SwapCells(cell, other);
            if (stored) return;
        }
    } else {
        m_library->RotateOrder(m_category, move->from, move->to);
    }
    RequeryPage();
}

void CZevezEZDlg::MoveToTypedPosition(int cell) {
    if (!m_grid.IsFilled(cell)) return;
    const int position = m_grid.Cell(cell).position;
    CMoveFacePosDlg dialog(m_programDir, position + 1);
    if (dialog.DoModal(Hwnd()) != IDOK) return;
    TypedPosition typed = ParseTypedPosition(dialog.m_text, m_count);
    if (typed.beyondEnd) MessageBox(BeyondEndMessage(m_count), MB_OK | MB_ICONINFORMATION, "提示");
    if (typed.target != position) m_library->RotateOrder(m_category, position, typed.target);
    RequeryPage();
}

void CZevezEZDlg::DeleteSelected() {
    SyncSelection();
    std::vector<std::string> digests = m_grid.SelectedDigests();
    if (digests.empty()) {
        MessageBox(kNothingToDelete, MB_OK | MB_ICONINFORMATION);
        return;
    }
    char question[128];
    snprintf(question, sizeof question, "确定要删除以上选中的 %d 个表情吗？",
             static_cast<int>(digests.size()));
    if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    m_library->RemoveFaces(m_category, digests);
    RequeryPage();  // falls back to the last page when this one is gone
}

std::optional<int> CZevezEZDlg::ChooseTargetCategory() {
    CChangeFaceToDlg dialog(m_programDir, CategoryNames());
    if (dialog.DoModal(Hwnd()) != IDOK) return std::nullopt;
    if (dialog.m_position < 0 || dialog.m_position == m_position) return std::nullopt;
    return static_cast<int>(m_list.ItemData(dialog.m_position));
}

void CZevezEZDlg::MoveOrCopySelected(bool move) {
    SyncSelection();
    std::optional<int> target = ChooseTargetCategory();
    if (!target) return;
    std::vector<FaceRecord> records;
    m_library->GatherFaceRecords(m_category, m_grid.SelectedDigests(), records);
    if (records.empty()) {
        MessageBox(kNothingToMove, MB_OKCANCEL | MB_ICONQUESTION);
        return;
    }
    if (move)
        m_library->MoveFaces(records, m_category, *target);
    else
        m_library->CopyFaces(records, *target);
    RequeryPage();
}

void CZevezEZDlg::RenameFace(int cell) {
    if (!m_grid.IsFilled(cell)) return;
    const PanelFace* face = m_panel.Face(cell);
    CFaceDemoDlg dialog(m_programDir, m_grid.Cell(cell).name,
                        face ? face->image : std::vector<uint8_t>());
    if (dialog.DoModal(Hwnd()) != IDOK) return;
    const std::string name = CutToChars(dialog.m_text, kFaceNameChars);
    const std::string digest = m_grid.Cell(cell).digest;
    if (!m_library->RenameFace(m_category, digest, name)) return;
    // The cell takes the new name in place, so the page and its selection stay.
    m_grid.SetName(cell, name);
    if (face) {
        PanelFace renamed = *face;
        renamed.tip = name;
        bool pressed = m_panel.IsPressed(cell);
        m_panel.LoadFace(cell, std::move(renamed));
        m_panel.SetPressed(cell, pressed);
    }
    OpenCategoryAt(m_position, m_page, false, true);
}

}  // namespace editor
