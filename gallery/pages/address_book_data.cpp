#include "pages/address_book_data.h"

#include <iterator>

namespace {

const char* const kFirst[] = {"Aaron", "Agnes", "Alba", "Amir", "Anna", "Arvid", "Astrid", "Bea", "Bruno",
                              "Carla", "Chen", "Clara", "Daniel", "Dora", "Elif", "Elin", "Emil", "Erik",
                              "Fatima", "Felix", "Freya", "Gustav", "Hanna", "Hugo", "Ida", "Ines", "Isak",
                              "Jonas", "Julia", "Karin", "Lars", "Leo", "Lina", "Lucas", "Maja", "Marco",
                              "Maria", "Mei", "Nils", "Nora", "Olivia", "Omar", "Oskar", "Priya", "Rasmus",
                              "Rosa", "Sara", "Sofia", "Tariq", "Tove", "Viktor", "Yusuf", "Zoe"};
const char* const kLast[] = {"Abbott", "Adler", "Andersson", "Barros", "Bauer", "Bergman", "Bianchi", "Brandt",
                             "Castillo", "Costa", "Dahl", "Duarte", "Eklund", "Engström", "Eriksen", "Fischer",
                             "Fontaine", "Forsberg", "García", "Gray", "Haddad", "Hansen", "Holm", "Horvath",
                             "Iversen", "Jansen", "Jovanović", "Karlsson", "Keller", "Kowalski", "Laine",
                             "Lindqvist", "Lund", "Marsh", "Moreau", "Murphy", "Nakamura", "Nilsson", "Novak",
                             "Okafor", "Olsen", "Ortiz", "Park", "Petrov", "Quinn", "Reyes", "Rossi",
                             "Sandberg", "Schmidt", "Sjöberg", "Svensson", "Tanaka", "Torres", "Ueda", "Varga",
                             "Vidal", "Wallin", "Weber", "Whitfield", "Young", "Zhang", "Ziegler"};
const char* const kCompanies[] = {"Aurora Bakery", "Berg & Sons Joinery", "Blue Harbour Shipping",
                                  "Brightline Optics", "Carl Berg Architects", "Dalarna Timber",
                                  "Eastgate Dental Clinic", "Fjord Analytics", "Greenfield Farms",
                                  "Halden Law Office", "Kestrel Software", "Lumen Lighting",
                                  "Meadow Court Veterinary", "Nordic Rail Services", "Oakridge School",
                                  "Pinewood Hotel", "Saga Design", "Silverbirch Insurance",
                                  "Tidewater Marine", "Westwind Travel"};
const char* const kTitles[] = {"Account Manager", "Head of Design", "Owner", "Physician", "Project Lead",
                               "Sales Director", "Senior Engineer", "Teacher", "Chief Buyer", "Counsel"};
const char* const kStreets[] = {"Harbour Street", "Linden Avenue", "Mill Lane", "North Road", "Park Terrace",
                                "Queen's Walk", "Rosemary Close", "Station Road", "Elm Row", "Wharf Road"};
const char* const kCities[] = {"Bristol BS1 6QA", "Cambridge CB2 1TN", "Edinburgh EH1 2NG", "Leeds LS1 4DY",
                               "Norwich NR2 1RQ", "Oxford OX1 3BG", "York YO1 7HH"};
const char* const kCategories[] = {"", "Business", "Personal", "Family", "Suppliers", "Clients", "Doctors"};
const char* const kNotes[] = {
    "Met at the spring trade fair; prefers calls before noon and a written summary afterwards.<W>",
    "Birthday in May. Sends a card every December, so send one back in good time.<W>",
    "Keeps the spare key for the summer house; ask before dropping by on weekends.<W>",
};

template <class T, size_t N>
const char* Pick(T (&list)[N], uint32_t value) {
  return list[value % N];
}

uint32_t Mix(uint32_t x) {
  // A small integer hash: neighbouring records look unrelated.
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

CString Phone(uint32_t seed) {
  CString s;
  s.Format("+44 %d %04u %04u", 20 + static_cast<int>(seed % 70), (seed / 70) % 10000, (seed / 7000) % 10000);
  return s;
}

}  // namespace

Contact ContactFor(int record) {
  uint32_t h = Mix(static_cast<uint32_t>(record) * 2654435761U + 12345U);
  Contact c;
  // Neighbouring records take neighbouring names, so a few thousand of them
  // are all different people.
  c.last = record % static_cast<int>(std::size(kLast));
  c.first = (record / static_cast<int>(std::size(kLast))) % static_cast<int>(std::size(kFirst));
  int names = static_cast<int>(std::size(kLast) * std::size(kFirst));
  if (record >= names) c.middle = 'A' + (record / names) % 26;
  c.company = static_cast<int>((h / 3001) % std::size(kCompanies));
  c.bits = Mix(h);
  return c;
}

CString Contact::Name() const {
  CString name = CString(kLast[last]) + ", " + kFirst[first];
  if (middle) {
    CString initial;
    initial.Format(" %c.", middle);
    name += initial;
  }
  return name;
}
CString Contact::Company() const { return kCompanies[company]; }
CString Contact::Category() const { return Pick(kCategories, bits >> 3); }


CString Contact::Body() const {
  CString body;
  body.Format("%s\n%s\n<L>\nWork:\t%s\nMobile:\t%s\n\n%u %s\n%s\n", Pick(kTitles, bits >> 5), kCompanies[company],
              static_cast<LPCTSTR>(Phone(bits)), static_cast<LPCTSTR>(Phone(Mix(bits))), 1 + (bits >> 9) % 180,
              Pick(kStreets, bits >> 13), Pick(kCities, bits >> 17));
  if (HasNote()) body += CString("\n") + Pick(kNotes, bits >> 21) + "\n";
  return body;
}

int CompareByName(const Contact& a, const Contact& b) {
  if (a.last != b.last) return a.last - b.last;
  if (a.first != b.first) return a.first - b.first;
  return a.middle - b.middle;
}

int CompareByCompany(const Contact& a, const Contact& b) {
  if (a.company != b.company) return a.company - b.company;
  return CompareByName(a, b);
}
