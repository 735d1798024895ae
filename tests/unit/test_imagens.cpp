// The start-up picture check: every picture the game will load is tried, and
// the first one that is missing, truncated or not a picture is named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "apoio.h"
#include "imagens.h"

namespace fs = std::filesystem;

namespace {

void copiarTodas(apoio::PastaTemporaria& pasta) {
    for (const char* caminho : imagens::TODAS) pasta.copiarDoJogo(caminho);
}

void truncar(const char* caminho, std::uintmax_t bytes) { fs::resize_file(caminho, bytes); }

void escrever(const char* caminho, const std::string& conteudo) {
    std::ofstream(caminho, std::ios::binary) << conteudo;
}

}  // namespace

TEST(VerificacaoDeImagens, TodasPresentesNaoApontaNenhuma) {
    apoio::PastaTemporaria pasta;
    copiarTodas(pasta);
    EXPECT_EQ(imagens::primeiraImagemInvalida(), nullptr);
}

TEST(VerificacaoDeImagens, PastaVaziaApontaAPrimeiraDaLista) {
    apoio::PastaTemporaria pasta;
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::TODAS[0]);
}

TEST(VerificacaoDeImagens, ApontaCadaArquivoFaltandoOuEstragado) {
    apoio::PastaTemporaria pasta;
    copiarTodas(pasta);
    const std::uintmax_t tamanho = fs::file_size(imagens::CLAVE);

    fs::remove(imagens::CLAVE);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "missing";

    escrever(imagens::CLAVE, "");
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "empty";

    escrever(imagens::CLAVE, "esta imagem nao e um BMP, e um texto qualquer com mais de 54 bytes");
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "not a picture";

    pasta.copiarDoJogo(imagens::CLAVE);
    truncar(imagens::CLAVE, tamanho - 1);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "one byte short";

    pasta.copiarDoJogo(imagens::CLAVE);
    truncar(imagens::CLAVE, 20);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "header cut";

    fs::remove(imagens::CLAVE);
    fs::create_directory(imagens::CLAVE);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "a folder in its place";
}

TEST(VerificacaoDeImagens, ListaCobreCadaPastaDoJogoSemRepetir) {
    std::set<std::string> vistos;
    for (const char* caminho : imagens::TODAS) EXPECT_TRUE(vistos.insert(caminho).second) << caminho;
    EXPECT_EQ(vistos.size(), 8u + 4u + 5u + 20u + 15u + 9u + 12u + 4u + 2u);
}

TEST(VerificacaoDeImagens, MensagemNomeiaArquivoEPasta) {
    EXPECT_EQ(imagens::mensagemImagemInvalida("./abertura/back.bmp", "/home/x"),
              "Nao foi possivel carregar ./abertura/back.bmp (pasta atual: /home/x)");
}

TEST(VerificacaoDeImagens, CabecalhoComDimensoesEnormesNaoPassa) {
    apoio::PastaTemporaria pasta;
    pasta.gravarImagem("x.bmp", 4, 4, makecol(1, 2, 3));
    EXPECT_TRUE(imagens::bmpCompleto("x.bmp"));
    // Claim a 100000 x 100000 picture in a file of a few bytes.
    std::fstream f("x.bmp", std::ios::in | std::ios::out | std::ios::binary);
    const unsigned char enorme[4] = {0xA0, 0x86, 0x01, 0x00};
    f.seekp(18);
    f.write(reinterpret_cast<const char*>(enorme), 4);
    f.write(reinterpret_cast<const char*>(enorme), 4);
    f.close();
    EXPECT_FALSE(imagens::bmpCompleto("x.bmp"));
}
