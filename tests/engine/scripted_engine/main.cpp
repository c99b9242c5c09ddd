// A stand-in chess engine for tests. It reads "script.txt" from its working
// directory, appends every byte it receives to "received.txt" there, and
// answers commands as the script says:
//
//   @start             the lines below are played at start-up
//   @on PREFIX         the lines below are played for each command that starts
//                      with PREFIX (the first such block wins)
//   TEXT               writes TEXT and a line feed
//   @crlf TEXT         writes TEXT, a carriage return and a line feed
//   @part TEXT         writes TEXT without a line end
//   @sleep MS          waits MS milliseconds
//   @flood MB TEXT     writes MB megabytes of TEXT lines as fast as they are
//                      taken, each "#" in TEXT replaced by the line's number
//   @exit              ends at once
//   @awaitlines N      takes the next N lines in before it goes on, and
//                      answers them afterwards, as an engine whose start-up
//                      goes on only as input arrives
//
// "quit" ends the engine after its block, if any, has been played.

#include <chrono>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

struct Block {
    bool atStart = false;
    std::string prefix;
    std::vector<std::string> lines;
};

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<Block> readScript(const char *fileName)
{
    std::vector<Block> blocks;
    std::ifstream in(fileName);
    for (std::string line; std::getline(in, line);) {
        if (line == "@start")
            blocks.push_back({true, {}, {}});
        else if (startsWith(line, "@on "))
            blocks.push_back({false, line.substr(4), {}});
        else if (!blocks.empty())
            blocks.back().lines.push_back(line);
    }
    return blocks;
}

// Writes as fast as the reader takes it, in large writes. The flood runs at a
// lower priority, so that on a busy machine the time the window takes is its
// own work and not the cores it shares with the flood.
void flood(int megabytes, const std::string &text)
{
    if (nice(10) == -1)
        std::perror("nice");
    const unsigned long long total = megabytes * 1024ULL * 1024ULL;
    unsigned long long number = 0;
    unsigned long long bytes = 0;
    std::string batch;
    while (bytes < total) {
        batch.clear();
        while (batch.size() < 60000) {
            std::string line = text;
            for (auto at = line.find('#'); at != std::string::npos; at = line.find('#', at))
                line.replace(at, 1, std::to_string(++number));
            batch += line + '\n';
        }
        std::fwrite(batch.data(), 1, batch.size(), stdout);
        std::fflush(stdout);
        bytes += batch.size();
    }
}

// Lines taken in by "@awaitlines", answered before any read later.
std::deque<std::string> heldLines;

bool nextCommand(std::string &command)
{
    if (heldLines.empty())
        return bool(std::getline(std::cin, command));
    command = heldLines.front();
    heldLines.pop_front();
    return true;
}

void play(const Block &block)
{
    for (const std::string &line : block.lines) {
        if (startsWith(line, "@awaitlines ")) {
            std::string held;
            for (int count = std::stoi(line.substr(12)); count > 0 && std::getline(std::cin, held); --count)
                heldLines.push_back(held);
        } else if (startsWith(line, "@flood ")) {
            const std::string rest = line.substr(7);
            const auto blank = rest.find(' ');
            flood(std::stoi(rest.substr(0, blank)), rest.substr(blank + 1));
        } else if (startsWith(line, "@crlf "))
            std::fputs((line.substr(6) + "\r\n").c_str(), stdout);
        else if (startsWith(line, "@part "))
            std::fputs(line.substr(6).c_str(), stdout);
        else if (startsWith(line, "@sleep "))
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(line.substr(7))));
        else if (line == "@exit")
            std::exit(3);
        else
            std::fputs((line + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
}

} // namespace

int main()
{
    const std::vector<Block> blocks = readScript("script.txt");
    std::ofstream received("received.txt", std::ios::binary | std::ios::app);
    for (const Block &block : blocks) {
        if (block.atStart)
            play(block);
    }
    for (std::string command; nextCommand(command);) {
        received << command << '\n' << std::flush;
        for (const Block &block : blocks) {
            if (!block.atStart && startsWith(command, block.prefix)) {
                play(block);
                break;
            }
        }
        if (command == "quit")
            return 0;
    }
    return 0;
}
