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
#include <string>

#include "clave.h"
#include "pincel.h"
#include "telas.h"

namespace {

void gerarAbertura() {
    pincel::salvar(desenharFundoTitulo(), "abertura/back.bmp");
    for (int i = 0; i < 4; i++) pincel::salvar(desenharCaixa(i), "abertura/caixa" + std::to_string(i) + ".bmp");
    pincel::salvar(desenharCursor(), "abertura/clave.bmp");
    pincel::salvar(desenharFundoAjuda(), "abertura/back_help.bmp");
    pincel::salvar(desenharInstrucoes(), "abertura/instrucoes.bmp");
    pincel::salvar(desenharFimDeJogo(), "abertura/game_over.bmp");
    pincel::salvar(desenharFinal(Vencedor::ZORBO, 31u), "abertura/finish_zorbo.bmp");
    pincel::salvar(desenharFinal(Vencedor::VELNA, 37u), "abertura/finish_velna.bmp");
    pincel::salvar(desenharFinal(Vencedor::EMPATE, 41u), "abertura/finish_draw.bmp");
}

pincel::Registro registro("abertura", gerarAbertura);

}  // namespace
