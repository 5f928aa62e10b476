// A doubly linked list of integers kept in ascending order; every operation traces
// itself on the console.
#pragma once

namespace linkdemo {

struct Knoten {
    int wert;
    Knoten* prev; // toward the smaller values; none for the first node
    Knoten* next; // toward the larger values; none for the last node
};

struct Zahlenliste {
    Knoten* erster;  // smallest value
    Knoten* letzter; // largest value
};

// Allocates an empty anchor into `liste`: false (and `liste` none) when that failed.
bool createList(Zahlenliste*& liste);

// Links a new node with `wert` in at its sorted place, before equal values except when
// the value is at least that of `letzter`.
void einfuegen(int wert, Zahlenliste* liste);

// Removes every node holding `wert`: true when some were removed, false for an empty
// list or an absent value.
bool loeschen(int wert, Zahlenliste* liste);

// Prints a heading, then every value with its position from 0.
void printListe(const Zahlenliste* liste);

// Frees every node and the anchor; `liste` is none afterwards.
void listeFreigeben(Zahlenliste*& liste);

} // namespace linkdemo
