// The big pictures of abertura/: the title screen with its menu box and
// treble-clef cursor, the instructions page, the game-over screen and the
// three finish screens.
//
// Where the game puts them: the title background at (0, 0), the menu box at
// (259, 300) with its four entries 45 rows apart, the cursor at
// (220, 300 + 45 x entry); the help background at (0, 0) with the
// instructions panel at (10, 200). The end screens fill the screen and get
// the scores printed at (50, 50) and (470, 50) in the 8-pixel font, white on
// the game-over screen and black on the finish screens, so a plain band is
// kept across their top. Full-screen pictures have no magenta: they are
// drawn with draw_sprite, which would leave holes there.
#include "clave.h"
#include "imagens.h"
#include "pincel.h"
#include "telas.h"

namespace {

void gerarAbertura() {
    pincel::salvar(desenharFundoTitulo(), imagens::BACK);
    for (int i = 0; i < 4; i++) pincel::salvar(desenharCaixa(i), imagens::CAIXA[i]);
    pincel::salvar(desenharCursor(), imagens::CLAVE);
    pincel::salvar(desenharFundoAjuda(), imagens::BACK_HELP);
    pincel::salvar(desenharInstrucoes(), imagens::INSTRUCOES);
    pincel::salvar(desenharFimDeJogo(), imagens::GAME_OVER);
    pincel::salvar(desenharFinal(Vencedor::ZORBO, 31u), imagens::FINISH_ZORBO);
    pincel::salvar(desenharFinal(Vencedor::VELNA, 37u), imagens::FINISH_VELNA);
    pincel::salvar(desenharFinal(Vencedor::EMPATE, 41u), imagens::FINISH_DRAW);
}

pincel::Registro registro("abertura", gerarAbertura);

}  // namespace
