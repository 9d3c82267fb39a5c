// Writes the man page's parts that list the mechanisms, from the mechanisms' own registration,
// for dist/man_page.cmake to put into the page at build time:
//   mechsim_man_mechanisms keys             each mechanism's command, its title in Japanese and
//                                           English and its keys with their English tooltips
//   mechsim_man_mechanisms columns MECHSIM  the columns of each mechanism's result file, read
//                                           from the header line of a one-step run of MECHSIM
// Both print roff to standard output.
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mechanisms/catalog.h"
#include "widgets/language.h"

namespace {

using widgets::Language;

bool IsAlnum(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// `text` as one roff text line: backslashes shown as such, line breaks as spaces, a leading
// control character made plain; a minus sign or a typed "-" as \- unless `wordHyphens` and it
// joins two words.
std::string Roff(std::string_view text, bool wordHyphens)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\e";
        else if (c == '\n')
            out += ' ';
        else if (c == '-'
                 && !(wordHyphens && i > 0 && i + 1 < text.size() && IsAlnum(text[i - 1])
                      && IsAlnum(text[i + 1])))
            out += "\\-";
        else
            out += c;
    }
    if (out.starts_with('.') || out.starts_with('\''))
        out.insert(0, "\\&");
    return out;
}

// A command, key or column name as typed.
std::string Typed(std::string_view text)
{
    return Roff(text, false);
}

std::string English(const std::string& marked)
{
    return Roff(widgets::TranslateCoreInto(Language::English, marked).toStdString(), true);
}

std::string Japanese(const std::string& marked)
{
    return Roff(widgets::TranslateCoreInto(Language::Japanese, marked).toStdString(), true);
}

// A tooltip as a sentence of the page, which may be followed by another.
std::string Sentence(std::string text)
{
    if (!text.empty() && !text.ends_with('.'))
        text += '.';
    return text;
}

void PrintKeys()
{
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        std::cout << ".TP\n.B " << Typed(m->command) << "\n"
                  << English(m->title) << " (" << Japanese(m->title) << ").\n";
        std::cout << ".RS\n.PD 0\n";
        for (const sim::InputBox& box : m->inputs) {
            // An angle's tooltip says it is in degrees; one that does not gets the unit here.
            const std::string description = English(box.description);
            const bool unitSaid = description.find("degrees") != std::string::npos;
            std::cout << ".TP\n"
                      << (box.isAngle && !unitSaid ? ".BR " + Typed(box.key) + " \" (degrees)\""
                                                   : ".B " + Typed(box.key))
                      << "\n"
                      << Sentence(description) << "\n";
            // The tooltip speaks of the window's check box.
            if (box.kind == sim::InputKind::Branch)
                std::cout << "The value \\-1 ticks it, 1 (the default) leaves it unticked;"
                             " see ASSEMBLY BRANCHES.\n";
        }
        std::cout << ".PD\n.RE\n";
    }
}

// The first line of `mechsim run COMMAND --divisions 1 --output -`, or "" when the run fails.
std::string HeaderLine(const QString& mechsim, const std::string& command)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(mechsim,
              {"run", QString::fromStdString(command), "--divisions", "1", "--output", "-"});
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit
        || run.exitCode() != 0)
        return {};
    const QByteArray output = run.readAllStandardOutput();
    return output.left(output.indexOf('\n')).trimmed().toStdString();
}

// The header's names, which a tab separates, separated by spaces.
std::string Columns(std::string header)
{
    std::replace(header.begin(), header.end(), '\t', ' ');
    return Typed(header);
}

int PrintColumns(const QString& mechsim)
{
    // Mechanisms with the same columns share one entry, in menu order.
    std::vector<std::pair<std::string, std::vector<std::string>>> entries;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        const std::string header = HeaderLine(mechsim, m->command);
        if (header.empty()) {
            std::fprintf(stderr, "mechsim_man_mechanisms: no result header from %s run %s\n",
                         qPrintable(mechsim), m->command.c_str());
            return 1;
        }
        auto entry = std::find_if(entries.begin(), entries.end(),
                                  [&](const auto& e) { return e.first == header; });
        if (entry == entries.end())
            entry = entries.insert(entries.end(), {header, {}});
        entry->second.push_back(m->command);
    }
    for (const auto& [header, commands] : entries) {
        std::cout << ".TP 4\n" << (commands.size() > 1 ? ".BR" : ".B");
        for (std::size_t i = 0; i < commands.size(); ++i)
            std::cout << (i > 0 ? " \", \" " : " ") << Typed(commands[i]);
        std::cout << "\n" << Columns(header) << "\n";
    }
    return 0;
}

}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::string_view part = argc > 1 ? argv[1] : "";
    if (part == "keys" && argc == 2) {
        PrintKeys();
        return 0;
    }
    if (part == "columns" && argc == 3)
        return PrintColumns(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: mechsim_man_mechanisms keys | columns MECHSIM\n");
    return 2;
}
