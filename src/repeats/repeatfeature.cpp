#include "repeatfeature.h"

#include "trptqso.h"

namespace RepeatFeature {

RepeatCheck *attach(EntryState &entry, Store &store, RepeatListModel &list, TRptQso &window,
                    const std::function<void(RepeatColour)> &cue, QObject *owner)
{
    auto *check = new RepeatCheck(entry, store, list, window, owner);
    QObject::connect(check, &RepeatCheck::becameRepeat, owner, cue);
    QObject::connect(&entry, &EntryState::textChanged, &window, [&window](EntryState::Field field) {
        using Field = EntryState::Field;
        if (field == Field::Band || field == Field::Mode || field == Field::Tour)
            window.repaintMarks();
    });
    return check;
}

} // namespace RepeatFeature
