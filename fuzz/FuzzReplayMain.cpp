// Bounded replay of a fuzz target for the test suite: runs every seed of the
// corpus, then a fixed number of inputs mutated from them with a fixed random seed, so that
// each run checks the same inputs. A crash, a sanitizer report or a failed check ends the
// program abnormally.
//
// Usage: zugui_<name>_fuzz_replay <corpus directory> <dictionary> [generated inputs]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace
{
using Input = std::vector<std::uint8_t>;

// The pieces of a libFuzzer dictionary: one quoted text per line, with \\, \" and \xNN
// escapes; other lines are ignored.
std::vector<std::string> LoadDictionary(const std::filesystem::path& file)
{
    std::vector<std::string> pieces;
    std::ifstream stream(file);
    for (std::string line; std::getline(stream, line);)
    {
        const std::size_t first = line.find('"');
        const std::size_t last = line.rfind('"');
        if (line.empty() || line[0] == '#' || first == std::string::npos || last <= first)
            continue;
        std::string piece;
        for (std::size_t i = first + 1; i < last; ++i)
        {
            if (line[i] == '\\' && i + 3 < last && line[i + 1] == 'x')
            {
                piece.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
                i += 3;
            }
            else if (line[i] == '\\' && i + 1 < last)
            {
                piece.push_back(line[++i]);
            }
            else
            {
                piece.push_back(line[i]);
            }
        }
        pieces.push_back(piece);
    }
    return pieces;
}

std::vector<Input> LoadCorpus(const std::filesystem::path& directory)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
    {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Input> corpus;
    for (const auto& file : files)
    {
        std::ifstream stream(file, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(stream),
                            std::istreambuf_iterator<char>());
    }
    return corpus;
}

class Mutator
{
public:
    Mutator(const std::vector<Input>& corpus, const std::vector<std::string>& dictionary)
        : m_corpus(corpus), m_dictionary(dictionary)
    {
    }

    Input Next()
    {
        Input input = m_corpus[Below(m_corpus.size())];
        const int mutations = 1 + static_cast<int>(Below(6));
        for (int i = 0; i < mutations; ++i)
            Mutate(input);
        return input;
    }

private:
    std::size_t Below(std::size_t bound) { return bound ? m_random() % bound : 0; }

    void Mutate(Input& input)
    {
        const std::size_t at = Below(input.size() + 1);
        switch (Below(5))
        {
        case 0: // replace a byte
            if (at < input.size())
                input[at] = static_cast<std::uint8_t>(m_random());
            break;
        case 1: // insert a piece of markup
        {
            if (m_dictionary.empty())
                break;
            const std::string& piece = m_dictionary[Below(m_dictionary.size())];
            input.insert(input.begin() + at, piece.begin(), piece.end());
            break;
        }
        case 2: // erase a stretch
            input.erase(input.begin() + at, input.begin() + std::min(input.size(), at + Below(8)));
            break;
        case 3: // repeat a stretch, for long runs and many tags
        {
            const Input stretch(input.begin() + at,
                                input.begin() + std::min(input.size(), at + 1 + Below(16)));
            for (std::size_t n = Below(20); n > 0; --n)
                input.insert(input.begin() + at, stretch.begin(), stretch.end());
            break;
        }
        default: // splice in part of another seed
        {
            const Input& other = m_corpus[Below(m_corpus.size())];
            const std::size_t from = Below(other.size());
            input.insert(input.begin() + at, other.begin() + from,
                         other.begin() + std::min(other.size(), from + Below(64)));
            break;
        }
        }
    }

    const std::vector<Input>& m_corpus;
    const std::vector<std::string>& m_dictionary;
    std::mt19937 m_random{20260105u};
};

int Run(const Input& input)
{
    return LLVMFuzzerTestOneInput(input.data(), input.size());
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <corpus directory> <dictionary> [generated inputs]\n",
                     argv[0]);
        return 2;
    }
    const std::vector<Input> corpus = LoadCorpus(argv[1]);
    const std::vector<std::string> dictionary = LoadDictionary(argv[2]);
    if (corpus.empty() || dictionary.empty())
    {
        std::fprintf(stderr, "no seeds in %s or no pieces in %s\n", argv[1], argv[2]);
        return 2;
    }
    const long generated = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 2000;

    Run(Input());
    for (const Input& seed : corpus)
        Run(seed);
    Mutator mutator(corpus, dictionary);
    for (long i = 0; i < generated; ++i)
        Run(mutator.Next());
    std::printf("replayed %zu seeds and %ld generated inputs\n", corpus.size(), generated);
    return 0;
}
