#include "focusmoves.h"

namespace {

using F = EntryField;

// One row per field: Enter, Up, Down, Esc. HeardNumberOrReport and the like
// are resolved by the RST rule.
enum Cell { N, HC, HR, HN, WC, WR, WN, BTN, HNR, WNR };

const Cell kHorizontal[6][4] = {
    /* heard call    */ {HNR, N, WC, HN},
    /* heard report  */ {HN, N, N, N},
    /* heard number  */ {WC, N, WN, HC},
    /* worked call   */ {WNR, HC, N, WN},
    /* worked report */ {WN, HR, N, N},
    /* worked number */ {BTN, HN, N, WC},
};

const Cell kVertical[6][4] = {
    /* heard call    */ {WC, N, HNR, WC},
    /* heard report  */ {HN, HC, N, N},
    /* heard number  */ {WNR, HC, N, WN},
    /* worked call   */ {HNR, N, WNR, HC},
    /* worked report */ {WN, WC, N, N},
    /* worked number */ {BTN, WC, N, HN},
};

F resolve(Cell c, bool reportsSkipped)
{
    switch (c) {
    case HC: return F::HeardCall;
    case HR: return F::HeardReport;
    case HN: return F::HeardNumber;
    case WC: return F::WorkedCall;
    case WR: return F::WorkedReport;
    case WN: return F::WorkedNumber;
    case BTN: return F::Button;
    case HNR: return reportsSkipped ? F::HeardNumber : F::HeardReport;
    case WNR: return reportsSkipped ? F::WorkedNumber : F::WorkedReport;
    case N: break;
    }
    return F::None;
}

} // namespace

EntryField focusMove(int key, EntryField from, bool verticalLayout, bool reportsSkipped)
{
    int column;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: column = 0; break;
    case Qt::Key_Up: column = 1; break;
    case Qt::Key_Down: column = 2; break;
    case Qt::Key_Escape: column = 3; break;
    default: return F::None;
    }
    const int row = static_cast<int>(from);
    if (row < 0 || row > 5)
        return F::None;
    const auto &table = verticalLayout ? kVertical : kHorizontal;
    return resolve(table[row][column], reportsSkipped);
}
