#!/usr/bin/perl
# Reads a table with Perl's XBase module, as an independent reader:
#   read_xbase.pl TABLE FIELD...
# prints, values as hex of their raw bytes:
#   R <record> <deleted 0|1> <FIELD value>...   for every record
#   K <tag> <record> <key>                     for every tag of TABLE's .mdx, in walk order
use strict;
use warnings;
use XBase;
use XBase::Index;

my ($path, @fields) = @ARGV;
my $table = XBase->new(name => $path) or die XBase->errstr;
for my $i (0 .. $table->last_record) {
  my ($deleted, @values) = $table->get_record($i, @fields);
  die $table->errstr unless defined $deleted;
  print join("\t", 'R', $i + 1, $deleted, map { unpack('H*', $_ // '') } @values), "\n";
}
$table->close;

(my $mdx = $path) =~ s/\.dbf$/.mdx/i;
exit 0 unless -e $mdx;
my @tags = XBase::Index->new($mdx)->tags;
for my $tag (@tags) {
  my $index = XBase::Index->new($mdx, tag => $tag) or die XBase::Index->errstr;
  $index->prepare_select or die $index->errstr;
  while (my ($key, $record) = $index->fetch) {
    print join("\t", 'K', $tag, $record, unpack('H*', $key)), "\n";
  }
  die $index->errstr if $index->errstr;
}
