#pragma once
// Creation of every window of the program at start-up, in a fixed order, the main
// window first; each is kept in the application-wide variable of its class.

void CreateForms();
// Destroys them all (tests make a fresh program for each case).
void DestroyForms();
