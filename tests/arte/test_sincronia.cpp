// data/ is the generator's output, committed: regenerating must give the same
// files, byte for byte, and every picture the game loads must be among them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "apoio.h"
#include "imagens.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> arquivosDe(const fs::path& raiz) {
    std::set<std::string> nomes;
    for (const auto& e : fs::recursive_directory_iterator(raiz))
        if (e.is_regular_file()) nomes.insert(fs::relative(e.path(), raiz).string());
    return nomes;
}

std::string conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string semPontoBarra(const char* caminho) {
    std::string s = caminho;
    return s.rfind("./", 0) == 0 ? s.substr(2) : s;
}

}  // namespace

// Only where the generator is built (RITMURO_GERADOR; not in the package build).
#ifdef RITMURO_GERADOR
TEST(Imagens, DadosIguaisASaidaDoGerador) {
    apoio::PastaTemporaria tmp;
    // A cross build runs the generator under its emulator, like the tests.
    std::string comando = std::string(RITMURO_EMULADOR) + " \"" + RITMURO_GERADOR + "\" \"" +
                          tmp.caminho() + "\" > /dev/null";
    ASSERT_EQ(std::system(comando.c_str()), 0);

    std::set<std::string> gerados = arquivosDe(tmp.caminho());
    std::set<std::string> commitados = arquivosDe(apoio::pastaDados());
    EXPECT_EQ(gerados, commitados) << "data/ is out of date: run the 'imagens' target";
    for (const std::string& nome : gerados) {
        if (!commitados.count(nome)) continue;
        EXPECT_EQ(conteudo(fs::path(tmp.caminho()) / nome),
                  conteudo(fs::path(apoio::pastaDados()) / nome))
            << nome << " differs from the generator's output";
    }
}
#endif

TEST(Imagens, TodaImagemDoJogoExisteECarrega) {
    std::set<std::string> commitados = arquivosDe(apoio::pastaDados());
    for (const char* caminho : imagens::TODAS) {
        EXPECT_TRUE(commitados.count(semPontoBarra(caminho))) << caminho;
    }
    EXPECT_EQ(imagens::primeiraImagemInvalida(), nullptr);
}
