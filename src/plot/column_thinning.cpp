// Thinning a polyline to its pixel columns while its points arrive.
#include "plot/column_thinning.h"

#include <algorithm>

namespace plot {

void ColumnThinning::add(PointMm p, std::array<double, 2> key)
{
    if (count_ > 0 && key != key_)
        closeRun();
    if (count_ == 0)
        key_ = key;
    if (count_ < head_.size())
        head_[count_] = p;
    if (count_ == 0 || p.y < top_.y) {
        top_ = p;
        topAt_ = count_;
    }
    if (count_ == 0 || p.y > bottom_.y) {
        bottom_ = p;
        bottomAt_ = count_;
    }
    last_ = p;
    ++count_;
}

void ColumnThinning::closeRun()
{
    if (count_ <= head_.size()) {
        kept_.insert(kept_.end(), head_.begin(), head_.begin() + static_cast<long>(count_));
    } else {
        // First, highest and lowest in their order, last; a run that leaves fewer than three
        // of them apart keeps its second point too, so that a raster still merges it.
        struct Pick {
            std::size_t at;
            PointMm p;
        };
        std::vector<Pick> picks{{0, head_[0]},
                                {std::min(topAt_, bottomAt_), topAt_ < bottomAt_ ? top_ : bottom_},
                                {std::max(topAt_, bottomAt_), topAt_ < bottomAt_ ? bottom_ : top_},
                                {count_ - 1, last_}};
        picks.erase(std::unique(picks.begin(), picks.end(),
                                [](const Pick& a, const Pick& b) { return a.at == b.at; }),
                    picks.end());
        if (picks.size() < 3)
            picks.insert(picks.begin() + 1, Pick{1, head_[1]});
        for (const Pick& pick : picks)
            kept_.push_back(pick.p);
    }
    count_ = 0;
}

std::vector<PointMm> ColumnThinning::finish()
{
    if (count_ > 0)
        closeRun();
    std::vector<PointMm> thinned;
    thinned.swap(kept_);
    return thinned;
}

}
