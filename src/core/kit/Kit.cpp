#include "core/kit/Kit.h"

namespace quom {

CKit::CKit()
{
    for (int i = 0; i < kKitSlots; ++i) {
        slots_[i] = std::make_unique<CInstrument>();
        slots_[i]->name = kNotUsed;
    }
}

CKit::CKit(const CKit& other)
{
    for (int i = 0; i < kKitSlots; ++i)
        slots_[i] = std::make_unique<CInstrument>(other.slot(i));
}

CKit& CKit::operator=(const CKit& other)
{
    if (this != &other) {
        for (int i = 0; i < kKitSlots; ++i)
            *slots_[i] = other.slot(i);
    }
    return *this;
}

void CKit::ClearSlot(int index)
{
    CInstrument& s = slot(index);
    s.name = kNotUsed;
    s.data.clear();
    s.loop = false;
    s.fade = false;
    s.rootKey = 60;
    s.fileRate = kPlayingRate;
}

} // namespace quom
