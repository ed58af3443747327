// The round games whose round ends, at its mistake limit, in the message
// window with the right answer's name: the sound game and both "Kdo to je"
// games. What their screens share: the picture, the bar with the help button
// drawn in, the message picture, and the new round on the window's again.
#pragma once

#include <memory>

#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"

class TNamedAnswerGame : public TScreenFrame {
public:
    TNamedAnswerGame(TComponent* AOwner, const char* Caption);
    ~TNamedAnswerGame() override;

    // Handed to the message window.
    std::unique_ptr<TBitmap> MessagePicture;
    // The right answer's position in the game's code list.
    Byte TargetCode = 0;
    // Wrong answers in this round.
    Byte Mistakes = 0;

    virtual void NewRound() = 0;
    void StartNewRound() override { NewRound(); }
    // The right answer's display name.
    virtual String RightName() const = 0;

protected:
    // Seeds the random generator, loads Buffer from Background and the
    // message picture from Message (both under AppDir), creates the bar with
    // its help button drawn into Buffer and sets the spoken help.
    void CreateGameScreen(const char* Background, const char* Help, const char* Message);
    // A wrong answer: its sound and a pause, during which the screen takes
    // input (no busy flag: a press is judged at once); then, for the answer
    // that made the round's Limit-th mistake, the message window with the
    // right answer's name. Nothing runs after a pause in which the screen
    // was closed.
    void WrongAnswer(DWORD PauseMs, int Limit, const char* MessageId);
};
