#include "script/vs_iilparser_grammar.h"

#include "rtl/StrUtils.h"

#include <map>

namespace {

TvsGrammarNode::TKind KindOf(const String& Name) {
    static const std::map<String, TvsGrammarNode::TKind> kinds = {
        {"char", TvsGrammarNode::gkChar},
        {"keyword", TvsGrammarNode::gkKeyword},
        {"ident", TvsGrammarNode::gkIdent},
        {"number", TvsGrammarNode::gkNumber},
        {"string", TvsGrammarNode::gkString},
        {"frstring", TvsGrammarNode::gkFrString},
        {"eol", TvsGrammarNode::gkEOL},
        {"sequence", TvsGrammarNode::gkSequence},
        {"switch", TvsGrammarNode::gkSwitch},
        {"optionalswitch", TvsGrammarNode::gkOptionalSwitch},
        {"optional", TvsGrammarNode::gkOptional},
        {"loop", TvsGrammarNode::gkLoop},
        {"optionalloop", TvsGrammarNode::gkOptionalLoop},
    };
    const auto it = kinds.find(Name);
    return it == kinds.end() ? TvsGrammarNode::gkReference : it->second;
}

} // namespace

TvsGrammar::TvsGrammar(const String& Text) {
    FDocument.LoadFromString(Text);
    const TvsXMLItem* root = FDocument.Root();
    FEmptyTypes.SetName("types");
    FTypes = &FEmptyTypes;

    std::vector<std::pair<String, String>> errors;
    for (Integer i = 0; i < root->Count(); ++i) {
        const TvsXMLItem* section = root->Items(i);
        const String name = LowerCase(section->Name());
        if (name == "parser") {
            for (Integer k = 0; k < section->Count(); ++k) {
                const TvsXMLItem* key = section->Items(k);
                const String keyName = LowerCase(key->Name());
                if (keyName == "keywords") {
                    for (Integer w = 0; w < key->Count(); ++w)
                        FKeywords.push_back(key->Items(w)->Name());
                } else if (keyName == "errors") {
                    for (Integer e = 0; e < key->Count(); ++e)
                        errors.emplace_back(LowerCase(key->Items(e)->Name()), key->Items(e)->Prop("text"));
                } else {
                    FKeys.emplace_back(keyName, key->Prop("text"));
                }
            }
        } else if (name == "types") {
            if (FTypes == &FEmptyTypes) FTypes = section;
        }
    }

    // Rules are found by name without regard to case; the first of equal names counts.
    std::map<String, TvsGrammarNode*> rules;
    for (Integer i = 0; i < root->Count(); ++i) {
        const TvsXMLItem* item = root->Items(i);
        const String name = LowerCase(item->Name());
        if (name == "parser" || name == "types" || rules.count(name)) continue;
        rules[name] = Compile(*item, true, errors);
    }
    for (auto& node : FNodes)
        if (node->Kind == TvsGrammarNode::gkReference) {
            const auto it = rules.find(node->Name);
            node->Target = it == rules.end() ? nullptr : it->second;
        }
    const auto program = rules.find("program");
    FProgram = program == rules.end() ? nullptr : program->second;
}

TvsGrammarNode* TvsGrammar::Compile(const TvsXMLItem& Item, bool IsRule,
                                    const std::vector<std::pair<String, String>>& Errors) {
    auto owned = std::make_unique<TvsGrammarNode>();
    TvsGrammarNode* node = owned.get();
    FNodes.push_back(std::move(owned));
    node->Name = LowerCase(Item.Name());
    node->Kind = IsRule ? TvsGrammarNode::gkRule : KindOf(node->Name);
    node->Text = LowerCase(Item.Prop("text"));
    const String err = LowerCase(Item.Prop("err"));
    if (!err.empty()) {
        node->HasErr = true;
        for (const auto& entry : Errors)
            if (entry.first == err) {
                node->ErrMessage = entry.second;
                break;
            }
    }
    node->Term = Item.Prop("term") == "1";
    const String skip = Item.Prop("skip");
    node->NoSkip = node->Kind == TvsGrammarNode::gkChar && skip == "0";
    node->Forgive =
        (node->Kind == TvsGrammarNode::gkLoop || node->Kind == TvsGrammarNode::gkOptionalLoop) && skip == "1";
    node->Add = Item.Prop("add");
    node->AddText = Item.Prop("addtext");
    node->HasAddText = !node->AddText.empty();
    node->Node = LowerCase(Item.Prop("node"));
    for (Integer i = 0; i < Item.Count(); ++i)
        node->Children.push_back(Compile(*Item.Items(i), false, Errors));
    return node;
}

std::shared_ptr<const TvsGrammar> TvsGrammar::ForText(const String& Text) {
    static std::map<String, std::shared_ptr<const TvsGrammar>> cache;
    const auto it = cache.find(Text);
    if (it != cache.end()) return it->second;
    auto grammar = std::make_shared<const TvsGrammar>(Text);
    cache.emplace(Text, grammar);
    return grammar;
}
