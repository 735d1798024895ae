// The big pictures of abertura/: the title screen with its menu box and
// treble-clef cursor, the instructions page, the game-over screen and the
// three finish screens, each saved under the path the game loads it from.
//
// Where the game puts them (medidas.h): the title background at (0, 0), the
// menu box at (X_CAIXA_MENU, Y_CAIXA_MENU) with its entries PASSO_ENTRADA
// rows apart, the cursor at X_CURSOR beside the entry chosen; the help
// background at (0, 0) with the instructions panel at (X_INSTRUCOES,
// Y_INSTRUCOES). The end screens fill the screen and get the scores printed
// at (X_PLACAR_P1, Y_PLACAR) and (X_PLACAR_P2, Y_PLACAR) in the 8-pixel font,
// white on the game-over screen and black on the finish screens, so a plain
// band is kept across their top.
#include <iterator>

#include "clave.h"
#include "imagens.h"
#include "pincel.h"
#include "telas.h"

namespace {

void gerarAbertura() {
    pincel::salvar(desenharFundoTitulo(), imagens::BACK);
    for (int i = 0; i < int(std::size(imagens::CAIXA)); i++) pincel::salvar(desenharCaixa(i), imagens::CAIXA[i]);
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
