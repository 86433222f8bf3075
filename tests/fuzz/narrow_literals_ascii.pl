#!/usr/bin/env perl
# Fails when a narrow string or character literal in the given files still holds a byte >= 0x80: the
# code page 932 copies must spell every such byte as an escape, or clang would compile its UTF-8 bytes
# and the fuzz targets would test other strings than the program's. The literals are found by clang's
# own lexer (-dump-raw-tokens), not by the copier's, so a literal the copier missed is caught too.
#
# Usage: narrow_literals_ascii.pl CLANG STAMP FILE...
use strict;
use warnings;

my ($clang, $stamp, @files) = @ARGV;
my $bad = 0;
for my $file (@files) {
  my $dump = `"$clang" -cc1 -dump-raw-tokens "$file" 2>&1`;
  if ($? != 0) {
    print STDERR "$file: the lexer failed\n";
    $bad = 1;
    next;
  }
  while ($dump =~ /^(string_literal|char_constant) '(.*?)'\t[^\n]*?Loc=<([^>]*)>/msg) {
    my ($spelling, $where) = ($2, $3);
    next unless $spelling =~ /[\x80-\xff]/;
    print STDERR "$where: a byte >= 0x80 is left in a narrow literal: $spelling\n";
    $bad = 1;
  }
}
exit 1 if $bad;
open(my $out, '>', $stamp) or die "$stamp: $!\n";
close($out);
