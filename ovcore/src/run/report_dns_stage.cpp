// Where the DNS ring hands the run's kept hits on.
#include "run/report_dns_stage.h"

#include "count/accumulate.h"

namespace {

int HandOnToListing(DnsRun* run, HitRecord* hit) {
    ReportHandle* report = static_cast<ReportHandle*>(run->owner);
    return HitListing_AddHit(&report->Listing, hit);
}

int HandOnToTables(DnsRun* run, HitRecord* hit) {
    return AccumulateGuard(static_cast<ReportHandle*>(run->owner), hit);
}

} // namespace

void ReportRun_SetupDns(ReportHandle* report) {
    DnsRun& dns = report->Dns;
    dns.dnsMode = report->DnsMode;
    dns.reportKind = report->ReportKind;
    dns.timeoutMs = report->DnsTimeoutMs;
    dns.filters = report->Profile ? report->Profile->Filters : nullptr;
    dns.owner = report;
    if (report->ReportKind == REPORT_KIND_TABLES)
        dns.handOn = HandOnToTables;
    else if (ReportKindHasBuffers(report->ReportKind))
        dns.handOn = HandOnToListing;
    else
        dns.handOn = nullptr;
}
