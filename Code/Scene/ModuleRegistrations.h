// The library's modules register again, at their own start-up, every class they use. Each
// repeat passes the class's own create function, so it changes nothing the registry shows.
#pragma once

// Each registers its module's classes and animation key kinds; returns the number of
// registrations it made.
unsigned RegisterNiMainClasses();
unsigned RegisterNiAnimationClasses();
unsigned RegisterNiSystemClasses();
