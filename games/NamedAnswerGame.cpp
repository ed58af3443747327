#include "games/NamedAnswerGame.h"

#include "platform/core/rtl.h"

TNamedAnswerGame::TNamedAnswerGame(TComponent* AOwner, const char* Caption)
    : TScreenFrame(AOwner, {.Caption = Caption, .Menu = TScreenMenu::Games, .StopSoundOnClose = true}) {}

TNamedAnswerGame::~TNamedAnswerGame() = default;

void TNamedAnswerGame::CreateGameScreen(const char* Background, const char* Help, const char* Message) {
    Randomize();
    Buffer->LoadFromFile(AppDir + Background);
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Help});
    DrawBarButton(TBarButton::Help);
    HelpFile = Help;
    MessagePicture = std::make_unique<TBitmap>();
    MessagePicture->LoadFromFile(AppDir + Message);
}

void TNamedAnswerGame::WrongAnswer(DWORD PauseMs, int Limit, const char* MessageId) {
    const int made = ++Mistakes;
    PlaySoundFile(AppDir + "sound\\spatne.wav");
    if (!Pause(PauseMs)) return;
    // The press that made the limit shows the message, also when more wrong
    // presses came during its pause (so the round's count passed the limit),
    // but not when a right answer dealt a new round meanwhile.
    if (made == Limit && Mistakes >= Limit) ShowGameMessage(MessageId, MessagePicture.get(), RightName());
}
