#include "games/PexesoBoard.h"

#include <set>

#include "games/DistinctDraw.h"

namespace {

constexpr int PictureCount = 43;

// Column Random(6) + 1, then row Random(5) + 1, both drawn again while
// Again answers true for the cell.
TPoint DrawPlace(const std::function<int(int)>& Rand, const std::function<bool(TPoint)>& Again) {
    TPoint p;
    do {
        p.X = Rand(PexesoColumns) + 1;
        p.Y = Rand(PexesoRows) + 1;
    } while (Again(p));
    return p;
}

}  // namespace

void TPexesoBoard::Clear() {
    for (auto& column : Cards) column.fill(TStav{});
    Memory.fill(nullptr);
    PlayerScore = 0;
    ComputerScore = 0;
    FirstTurned = false;
    FirstCard = {};
    PictureNumbers = {};
}

void TPexesoBoard::Deal() {
    Clear();
    std::set<int> used;
    const auto occupied = [this](TPoint p) { return Card(p).PairId != 0; };
    for (int i = 1; i <= PexesoPairs; ++i) {
        PictureNumbers[std::size_t(i)] = DrawDistinct(PictureCount, used);
        for (bool firstOfPair : {true, false}) {
            TStav& card = Card(DrawPlace(Random, occupied));
            card.PairId = Byte(i);
            card.FirstOfPair = firstOfPair;
        }
    }
}

bool TPexesoBoard::AllTaken() const {
    for (const auto& column : Cards)
        for (const TStav& card : column)
            if (card.CardState != csTaken) return false;
    return true;
}

TPlayerMove TPexesoBoard::PlayerTurns(TPoint Place) {
    TStav& card = Card(Place);
    if (!FirstTurned) {
        card.CardState = csFaceUp;
        FirstCard = Place;
        FirstTurned = true;
        return TPlayerMove::FirstCard;
    }
    TStav& first = Card(FirstCard);
    if (card.PairId == first.PairId) {
        card.CardState = csTaken;
        first.CardState = csTaken;
        ++PlayerScore;
        return TPlayerMove::Pair;
    }
    card.CardState = csFaceDown;
    first.CardState = csFaceDown;
    AgeMemory();
    card.Position = Place;
    first.Position = FirstCard;
    Memory[4] = &card;
    Memory[5] = &first;
    return TPlayerMove::Miss;
}

void TPexesoBoard::AgeMemory() {
    for (int slot = 0; slot < 4; ++slot) Memory[std::size_t(slot)] = Memory[std::size_t(slot + 2)];
}

bool TPexesoBoard::Remembered(TPoint Place) const {
    for (const TStav* card : Memory)
        if (card && card->Position == Place) return true;
    return false;
}

TCardFace TPexesoBoard::Face(TPoint Place) {
    const TStav& card = Card(Place);
    return {Place, card.PairId, card.FirstOfPair};
}

// ---------------------------------------------------------------------------

TComputerTurn::TComputerTurn(TPexesoBoard& Board, TRandom Rand) : board_(Board), rand_(std::move(Rand)) {}

TComputerStep TComputerTurn::Next() {
    for (;;) {
        switch (phase_) {
            case TPhase::Scan: {
                TComputerStep step;
                if (FindRememberedPair(step)) return step;
                if (board_.AllTaken()) {
                    phase_ = TPhase::Over;
                    continue;
                }
                // A remembered card drawn first starts the pass again, which
                // finds nothing new: the same as drawing again.
                first_ = DrawCard([this](TPoint p) { return board_.Remembered(p); });
                phase_ = TPhase::SecondCard;
                step.Action = TComputerAction::FirstCard;
                step.Card = board_.Face(first_);
                return step;
            }
            case TPhase::SecondCard: {
                TStav& first = board_.Card(first_);
                TComputerStep step;
                step.Other = board_.Face(first_);
                if (TStav* mate = RememberedMate(first)) {
                    step.Action = TComputerAction::MateFromMemory;
                    step.Card = board_.Face(mate->Position);
                    step.Pair = true;
                    Take(*mate, first);
                    phase_ = TPhase::NextPass;
                    return step;
                }
                const TPoint second = DrawCard([this](TPoint p) { return p == first_; });
                step.Action = TComputerAction::SecondCard;
                step.Card = board_.Face(second);
                step.Pair = step.Card.PairId == first.PairId;
                if (step.Pair) {
                    Take(board_.Card(second), first);
                    phase_ = TPhase::NextPass;
                } else {
                    // The computer's own cards are not remembered.
                    board_.AgeMemory();
                    phase_ = TPhase::Over;
                }
                return step;
            }
            case TPhase::NextPass:
                scanA_ = 0;
                scanB_ = 0;
                phase_ = TPhase::Scan;
                continue;
            case TPhase::Over: return TComputerStep{};
        }
    }
}

bool TComputerTurn::FindRememberedPair(TComputerStep& Step) {
    // The scan goes on after a take, so one pass can take several pairs.
    for (; scanA_ < PexesoMemorySlots; ++scanA_, scanB_ = 0) {
        for (; scanB_ < PexesoMemorySlots; ++scanB_) {
            TStav* a = board_.Memory[std::size_t(scanA_)];
            TStav* b = board_.Memory[std::size_t(scanB_)];
            if (scanA_ == scanB_ || !a || !b || a->PairId == 0 || a->PairId != b->PairId ||
                a->Position == b->Position || a->CardState == csTaken)
                continue;
            Step.Action = TComputerAction::RememberedPair;
            Step.Card = board_.Face(a->Position);
            Step.Other = board_.Face(b->Position);
            Step.Pair = true;
            Take(*a, *b);
            a->PairId = 0;
            b->PairId = 0;
            ++scanB_;
            return true;
        }
    }
    return false;
}

TPoint TComputerTurn::DrawCard(const std::function<bool(TPoint)>& Again) {
    return DrawPlace(rand_, [this, &Again](TPoint p) { return board_.Card(p).CardState == csTaken || Again(p); });
}

TStav* TComputerTurn::RememberedMate(const TStav& First) const {
    for (TStav* card : board_.Memory)
        if (card && card->PairId == First.PairId && card->Position != first_ && card->CardState != csTaken)
            return card;
    return nullptr;
}

void TComputerTurn::Take(TStav& A, TStav& B) {
    A.CardState = csTaken;
    B.CardState = csTaken;
    ++board_.ComputerScore;
}
